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
#include "tools/mkinstaller/CodePage.h"
#include "tools/mkinstaller/Commands.h"
#include "tools/mkinstaller/Diagnostics.h"
#include "tools/mkinstaller/InstallerFile.h"
#include "tools/mkinstaller/ScriptCheck.h"
#include "tools/mkinstaller/ScriptPrep.h"

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
    names.insert(AnsiUpper(strName));
  }
  return names;
}

}  // namespace

int RunBuild(const CBuildOptions& options)
{
  const auto start = std::chrono::steady_clock::now();
  int64_t nEpoch = SourceDateEpoch();
  unsigned nThreads = WorkerThreads();
  std::string strStub = ReadHostFile(options.m_strStub);
  CheckStub(options.m_strStub, strStub);
  std::string strScript = PrepareScript(options.m_strScript, ReadHostFile(options.m_strScript));
  std::vector<CPayloadEntry> entries = ReadPayload(options.m_strPayload, nEpoch);
  std::set<std::string> names = PayloadNames(entries);
  CheckScript(options.m_strScript, strScript, names);
  if (names.count("UNINSTALL.EXE") == 0)
    Warn(options.m_strPayload, "no uninstall.exe at its top: setup registers that name as the uninstaller");

  char szMarker1[11], szMarker2[11];
  CSetupData::GetMarkers(szMarker1, szMarker2);
  // Setup stops looking once it has seen both markers, so the part in front
  // of the archive decides where it finds them.
  std::string strHead = strStub + szMarker1 + strScript + szMarker2;
  if (strHead.size() > 0xFFFFFFFFull)
    Refuse(options.m_strOutput, "the installer would reach 4 GiB");
  uint32_t nScript = (uint32_t)(strStub.size() + CSetupData::kMarkerSize);
  uint32_t nArchive = nScript + (uint32_t)(strScript.size() + CSetupData::kMarkerSize);
  uint32_t nFoundScript = 0, nFoundArchive = 0;
  if (!CSetupData::FindOverlay(strHead.data(), (uint32_t)strHead.size(), nFoundScript, nFoundArchive) ||
      nFoundScript != nScript || nFoundArchive != nArchive)
    Refuse(options.m_strStub,
           "its last bytes and the first marker read together as a marker; setup would not find the script");

  uint64_t nPayloadBytes = 0;
  for (const CPayloadEntry& entry : entries)
    nPayloadBytes += entry.m_nSize;
  struct stat st;
  mode_t nMode = stat(options.m_strStub.c_str(), &st) == 0 ? (st.st_mode & 0777) | 0200 : 0644;
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
  printf("%s: %zu entries, %s in, %s out (%.1f %%), %.1f s\n", options.m_strOutput.c_str(), entries.size(),
         HumanBytes(nPayloadBytes).c_str(), HumanBytes(nInstallerBytes).c_str(),
         nPayloadBytes ? 100.0 * nInstallerBytes / nPayloadBytes : 100.0, seconds);
  return 0;
}
