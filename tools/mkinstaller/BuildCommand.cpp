// mkinstaller build: stub + marker 1 + script + marker 2 + archive, then
// read back with setup's own code before it takes the output's name.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <set>

#include "tools/mkinstaller/ArchiveWriter.h"
#include "tools/mkinstaller/BuildVerification.h"
#include "tools/mkinstaller/ChunkDeflater.h"
#include "tools/mkinstaller/Commands.h"
#include "tools/mkinstaller/Diagnostics.h"
#include "tools/mkinstaller/InstallerFile.h"
#include "tools/mkinstaller/ScriptCheck.h"
#include "tools/mkinstaller/ScriptPrep.h"
#include "tools/mkinstaller/StubLocation.h"
#include "tools/mkinstaller/WindowsNames.h"

namespace {
int64_t SourceDateEpoch()
{
  const char* psz = getenv("SOURCE_DATE_EPOCH");
  if (psz == NULL || *psz == 0)
    return -1;
  char* pEnd = NULL;
  errno = 0;
  long long n = strtoll(psz, &pEnd, 10);
  if (errno != 0 || *pEnd != 0 || n < 0)
    Refuse("SOURCE_DATE_EPOCH", "not a number of seconds since 1970");
  return n;
}

void CheckStub(const std::string& strPath, const std::string& strStub)
{
  char szMarker1[11], szMarker2[11];
  CSetupData::GetMarkers(szMarker1, szMarker2);
  for (const char* pszMarker : {szMarker1, szMarker2}) {
    size_t nAt = strStub.find(pszMarker);
    if (nAt != std::string::npos)
      Refuse(strPath, "holds the overlay marker text at offset " + std::to_string(nAt) +
                          ": setup would look for its script there");
  }
}

std::set<std::string> PayloadNames(const std::vector<CPayloadEntry>& entries)
{
  std::set<std::string> names;
  for (const CPayloadEntry& entry : entries) {
    std::string strName = entry.m_strName;
    if (entry.m_bDirectory)
      strName.pop_back();
    std::replace(strName.begin(), strName.end(), '/', '\\');
    names.insert(CaseKey(strName));
  }
  return names;
}

std::string ChooseStub(const CBuildOptions& options)
{
  if (!options.m_strStub.empty())
    return options.m_strStub;
  std::string strStub = FindDefaultStub();
  if (strStub.empty()) {
    std::string strPlaces;
    for (const std::string& strCandidate : StubCandidates())
      strPlaces += (strPlaces.empty() ? "" : " or ") + strCandidate;
    Refuse("--stub", "not given, and no installed setup.exe found (looked for " +
                         (strPlaces.empty() ? std::string("the tool's own folder") : strPlaces) +
                         "): name one with --stub");
  }
  return strStub;
}

// setup registers uninstall.exe at the destination's top as the uninstaller:
// the payload's own, or one added from --uninstaller or beside the stub.
// Returns the path of the one added, empty when the payload has its own.
std::string AddUninstaller(std::vector<CPayloadEntry>& entries, const CBuildOptions& options,
                           const std::string& strStub, int64_t nEpoch)
{
  bool bInPayload = std::any_of(entries.begin(), entries.end(),
                                [](const CPayloadEntry& e) { return CaseKey(e.m_strName) == "uninstall.exe"; });
  if (bInPayload) {
    if (!options.m_strUninstaller.empty())
      Warn(options.m_strUninstaller, "not added: the payload has its own uninstall.exe");
    return std::string();
  }
  std::string strUninstaller =
      options.m_strUninstaller.empty() ? FindUninstallerBeside(strStub) : options.m_strUninstaller;
  if (strUninstaller.empty())
    Refuse(options.m_strPayload, "no uninstall.exe at its top, and none beside " + strStub +
                                     " to add: setup registers that name as the uninstaller; copy one into the "
                                     "payload or name one with --uninstaller");
  AddPayloadFile(entries, strUninstaller, "uninstall.exe", nEpoch);
  return strUninstaller;
}
}  // namespace

int RunBuild(const CBuildOptions& options)
{
  const auto start = std::chrono::steady_clock::now();
  int64_t nEpoch = SourceDateEpoch();
  unsigned nThreads = WorkerThreads();
  const std::string strStubPath = ChooseStub(options);
  std::string strStub = ReadHostFile(strStubPath);
  CheckStub(strStubPath, strStub);
  std::string strScript = PrepareScript(options.m_strScript, ReadHostFile(options.m_strScript));
  std::vector<CPayloadEntry> entries = ReadPayload(options.m_strPayload, nEpoch);
  const std::string strAddedUninstaller = AddUninstaller(entries, options, strStubPath, nEpoch);
  std::set<std::string> names = PayloadNames(entries);
  CheckScript(options.m_strScript, strScript, names);

  char szMarker1[11], szMarker2[11];
  CSetupData::GetMarkers(szMarker1, szMarker2);
  // Setup stops looking once it has seen both markers, so the part in front
  // of the archive decides where it finds them.
  std::string strHead = strStub + szMarker1 + kScriptByteOrderMark + strScript + szMarker2;
  if (strHead.size() > 0xFFFFFFFFull)
    Refuse(options.m_strOutput, "the installer would reach 4 GiB");
  uint32_t nScript = (uint32_t)(strStub.size() + CSetupData::kMarkerSize);
  uint32_t nArchive = (uint32_t)(strHead.size());
  uint32_t nFoundScript = 0, nFoundArchive = 0;
  if (!CSetupData::FindOverlay(strHead.data(), (uint32_t)strHead.size(), nFoundScript, nFoundArchive) ||
      nFoundScript != nScript || nFoundArchive != nArchive)
    Refuse(strStubPath,
           "its last bytes and the first marker read together as a marker; setup would not find the script");

  uint64_t nPayloadBytes = 0;
  for (const CPayloadEntry& entry : entries)
    nPayloadBytes += entry.m_nSize;
  struct stat st;
  mode_t nMode = stat(strStubPath.c_str(), &st) == 0 ? (st.st_mode & 0777) | 0200 : 0644;
  std::string strTemp = options.m_strOutput + ".tmp" + std::to_string(getpid());
  CProgress progress;
  uint64_t nInstallerBytes = 0;
  try {
    COutputFile out(strTemp, nMode, strTemp);
    out.Append(strHead);
    progress.Start("packing", entries.size(), nPayloadBytes);
    WriteArchive(out, entries, nThreads, progress);
    nInstallerBytes = out.Position();
    if (nInstallerBytes > 0xFFFFFFFFull)
      Refuse(options.m_strOutput, "the installer would reach 4 GiB");
    out.Close();
    progress.Start("verifying", entries.size(), nPayloadBytes);
    VerifyInstaller(strTemp, options.m_strOutput, nScript, strScript, entries, nThreads, progress);
  } catch (...) {
    unlink(strTemp.c_str());
    throw;
  }
  progress.Clear();
  if (rename(strTemp.c_str(), options.m_strOutput.c_str()) != 0) {
    int nErr = errno;
    unlink(strTemp.c_str());
    Refuse(options.m_strOutput, std::string("cannot be written: ") + strerror(nErr));
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("stub: %s (%s)\n", strStubPath.c_str(), DescribeProgramVersion(strStubPath).c_str());
  if (!strAddedUninstaller.empty())
    printf("uninstaller: %s (%s), added as uninstall.exe\n", strAddedUninstaller.c_str(),
           DescribeProgramVersion(strAddedUninstaller).c_str());
  printf("%s: %zu entries, %s in, %s out (%.1f %%), %.1f s\n", options.m_strOutput.c_str(), entries.size(),
         HumanBytes(nPayloadBytes).c_str(), HumanBytes(nInstallerBytes).c_str(),
         nPayloadBytes ? 100.0 * nInstallerBytes / nPayloadBytes : 100.0, seconds);
  return 0;
}
