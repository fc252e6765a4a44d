// The clean-up after an earlier installation: what an earlier installation
// of the same application left in the destination and the new one does not
// bring again is deleted, with its shortcuts.
#include "setup/SetupApp.h"

#include <stdlib.h>

#include "common/InstallNames.h"
#include "common/UninstallData.h"

namespace {

// Names come from a file in the destination: only those that stay inside
// it are ever deleted.
void DeleteInstalledFile(CInstallLog& log, const char* lpszName)
{
  if (!IsInsideInstallation(lpszName))
    return;
  if (_unlink(lpszName) == 0)
    log.Write("removed", lpszName);
  else if (log.IsOpen() && ::GetFileAttributesA(lpszName) != INVALID_FILE_ATTRIBUTES)
    log.Write("not removed", lpszName);
}

// Windows file names that differ only in case name the same file.
bool SameFileName(const char* lpszA, const char* lpszB)
{
  CString strA(lpszA), strB(lpszB);
  if (strA.GetLength() != strB.GetLength())
    return false;
  ::CharUpperBuffA(strA.GetBuffer(strA.GetLength()), (DWORD)strA.GetLength());
  strA.ReleaseBuffer();
  ::CharUpperBuffA(strB.GetBuffer(strB.GetLength()), (DWORD)strB.GetLength());
  strB.ReleaseBuffer();
  return strA == strB;
}

// The file-table row whose name differs from lpszName only in case, or NULL.
const char* CaseVariantInFileTable(const CSetupData& data, const char* lpszName)
{
  for (int32_t i = 0; i < data.m_nFiles; ++i)
    if (SameFileName(data.m_pFiles[i].name, lpszName))
      return data.m_pFiles[i].name;
  return NULL;
}

bool CaseVariantInGeneratedFiles(const CSetupData& data, const char* lpszName)
{
  for (int32_t i = 0; i < data.m_nGeneratedFiles; ++i)
    if (SameFileName(*data.m_ppGeneratedFiles[i], lpszName))
      return true;
  return false;
}

// An earlier name that differs from a new one only in case is the file just
// extracted over it, still under the earlier spelling: deleting it would
// lose the new file. It takes the new spelling instead, through a free
// temporary name, since some file systems ignore a rename that changes
// case alone.
void TakeNewSpelling(CInstallLog& log, const char* lpszEarlier, const char* lpszNew)
{
  if (!IsInsideInstallation(lpszEarlier) || !IsInsideInstallation(lpszNew))
    return;
  CString strTemp = CString(lpszNew) + ".case~";
  if (::GetFileAttributesA(strTemp) != INVALID_FILE_ATTRIBUTES)
    return;
  if (!::MoveFileA(lpszEarlier, strTemp))
    return;
  if (::MoveFileA(strTemp, lpszNew))
    log.Write("renamed", CString(lpszEarlier) + " to " + lpszNew);
  else
    ::MoveFileA(strTemp, lpszEarlier);
}

// The earlier shortcuts that are there now; only asked for the log.
bool* FindExisting(const CInstallLog& log, const UninstallData& earlier)
{
  if (!log.IsOpen() || earlier.m_nLinks <= 0)
    return NULL;
  bool* pExists = static_cast<bool*>(malloc(static_cast<size_t>(earlier.m_nLinks) * sizeof(bool)));
  for (int32_t i = 0; pExists != NULL && i < earlier.m_nLinks; ++i)
    pExists[i] = ::GetFileAttributesA(earlier.m_pLinks[i]) != INVALID_FILE_ATTRIBUTES;
  return pExists;
}

}  // namespace

void CSetupApp::RemoveEarlierInstallation(UninstallData& earlier, const char* lpszProgramGroup)
{
  for (int32_t i = 0; i < earlier.m_nInstalled; ++i) {
    const char* pszName = earlier.m_pInstalled[i];
    if (HasFile(pszName))
      continue;
    const char* pszNewName = CaseVariantInFileTable(*this, pszName);
    if (pszNewName == NULL)
      DeleteInstalledFile(m_log, pszName);
    else
      TakeNewSpelling(m_log, pszName, pszNewName);
  }
  // A generated file whose name the new script only spells differently is
  // the application's own data: it stays.
  for (int32_t i = 0; i < earlier.m_nGenerated; ++i)
    if (!HasGeneratedFile(earlier.m_pGenerated[i]) && !CaseVariantInGeneratedFiles(*this, earlier.m_pGenerated[i]))
      DeleteInstalledFile(m_log, earlier.m_pGenerated[i]);
  bool* pExisted = FindExisting(m_log, earlier);
  earlier.RemoveShortcuts();
  for (int32_t i = 0; pExisted != NULL && i < earlier.m_nLinks; ++i)
    if (pExisted[i])
      m_log.Write(::GetFileAttributesA(earlier.m_pLinks[i]) == INVALID_FILE_ATTRIBUTES ? "removed shortcut"
                                                                                       : "shortcut not removed",
                  earlier.m_pLinks[i]);
  free(pExisted);
  // The old shortcuts' folder may have been the new program group.
  if (lpszProgramGroup != NULL && lpszProgramGroup[0] != '\0')
    _mkdir(lpszProgramGroup);
}
