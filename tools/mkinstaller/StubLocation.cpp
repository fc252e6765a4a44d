#include "tools/mkinstaller/StubLocation.h"

#include <sys/stat.h>
#include <unistd.h>

#include "tools/mkinstaller/InstallerFile.h"
#include "tools/mkinstaller/PeImage.h"

namespace {
// The stubs are about 100 KB; their resources lie well within this.
const size_t kMaxProgramRead = 16u << 20;

bool IsFile(const std::string& strPath)
{
  struct stat st;
  return stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Parent(const std::string& strPath)
{
  size_t nSlash = strPath.rfind('/');
  return nSlash == std::string::npos ? "." : nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

std::string Name(const std::string& strPath) { return strPath.substr(strPath.rfind('/') + 1); }

// The folder of the running program, symbolic links resolved.
std::string ToolFolder()
{
  char szPath[4096];
  ssize_t n = readlink("/proc/self/exe", szPath, sizeof(szPath) - 1);
  if (n <= 0)
    return std::string();
  szPath[n] = 0;
  return Parent(szPath);
}
}  // namespace

std::vector<std::string> StubCandidates()
{
  std::vector<std::string> candidates;
  std::string strBin = ToolFolder();
  if (strBin.empty())
    return candidates;
  std::string strPrefix = Parent(strBin);
  candidates.push_back(strPrefix + "/share/mkinstaller/setup.exe");
  std::string strFlavour = Name(strPrefix);
  if (Name(strBin) == "bin" && (strFlavour == "tools" || strFlavour == "host"))
    candidates.push_back(Parent(strPrefix) + "/win32/bin/setup.exe");
  return candidates;
}

std::string FindDefaultStub()
{
  for (const std::string& strCandidate : StubCandidates())
    if (IsFile(strCandidate))
      return strCandidate;
  return std::string();
}

std::string FindUninstallerBeside(const std::string& strStub)
{
  std::string strPath = Parent(strStub) + "/uninstall.exe";
  return IsFile(strPath) ? strPath : std::string();
}

std::string DescribeProgramVersion(const std::string& strPath)
{
  std::string strVersion = ReadPeFileVersion(ReadFileHead(strPath, kMaxProgramRead));
  return strVersion.empty() ? "unknown version" : "version " + strVersion;
}
