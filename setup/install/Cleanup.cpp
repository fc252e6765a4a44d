// The clean-up after an earlier installation: what an earlier installation
// of the same application left in the destination and the new one does not
// bring again is deleted, with its shortcuts.
#include "setup/install/InstallPipeline.h"

#include <stdlib.h>

#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "framework/os/System.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/CleanupRules.h"

namespace {

// Names come from a file in the destination lpszRoot: only those that stay
// inside it are ever deleted.
void DeleteInstalledFile(CInstallLog& log, const char* lpszRoot, const char* lpszName)
{
  if (!IsInsideInstallation(lpszName))
    return;
  const CString strPath = JoinPath(lpszRoot, lpszName);
  if (RemoveFile(strPath))
    log.Write("removed", lpszName);
  else if (log.IsOpen() && PathIsPresent(strPath))
    log.Write("not removed", lpszName);
}

// The earlier file, extracted over under its earlier spelling, takes the
// new one through a free temporary name, since some file systems ignore a
// rename that changes case alone.
void TakeNewSpelling(CInstallLog& log, const char* lpszRoot, const char* lpszEarlier, const char* lpszNew)
{
  if (!IsInsideInstallation(lpszEarlier) || !IsInsideInstallation(lpszNew))
    return;
  const CString strEarlier = JoinPath(lpszRoot, lpszEarlier);
  const CString strNew = JoinPath(lpszRoot, lpszNew);
  const CString strTemp = strNew + ".case~";
  if (PathIsPresent(strTemp) || !RenamePath(strEarlier, strTemp))
    return;
  if (RenamePath(strTemp, strNew))
    log.Write("renamed", CString(lpszEarlier) + " to " + lpszNew);
  else
    RenamePath(strTemp, strEarlier);
}

// The earlier shortcuts that are there now; only asked for the log.
bool* FindExisting(const CInstallLog& log, const UninstallData& earlier)
{
  if (!log.IsOpen() || earlier.m_nLinks <= 0)
    return NULL;
  bool* pExists = static_cast<bool*>(malloc(static_cast<size_t>(earlier.m_nLinks) * sizeof(bool)));
  for (int32_t i = 0; pExists != NULL && i < earlier.m_nLinks; ++i)
    pExists[i] = PathIsPresent(earlier.m_pLinks[i]);
  return pExists;
}

}  // namespace

void CInstallPipeline::CleanUpEarlierInstallation()
{
  const CString strRecord = m_choices.strDestDir + "\\uninstall.dat";
  if (!PathIsPresent(strRecord))
    return;
  m_feedback.ShowStatus(Text(kCheckingOldData));
  UninstallData earlier;
  if (earlier.Read(strRecord) != 0) {
    m_log.Write("clean-up", "the earlier uninstall.dat cannot be read: nothing is removed");
    return;
  }
  if (m_setup.m_strAppName != earlier.m_strAppName) {
    m_log.Write("clean-up",
                CString("the earlier uninstall.dat belongs to ") + earlier.m_strAppName + ": nothing is removed");
    return;
  }
  RemoveEarlierInstallation(earlier);
}

void CInstallPipeline::RemoveEarlierInstallation(UninstallData& earlier)
{
  for (int32_t i = 0; i < earlier.m_nInstalled; ++i) {
    const char* pszName = earlier.m_pInstalled[i];
    const char* pszNewName = NULL;
    switch (DecideEarlierFile(m_setup, pszName, &pszNewName)) {
    case kEarlierFileKept: break;
    case kEarlierFileDeleted: DeleteInstalledFile(m_log, m_choices.strDestDir, pszName); break;
    case kEarlierFileRenamed: TakeNewSpelling(m_log, m_choices.strDestDir, pszName, pszNewName); break;
    }
  }
  for (int32_t i = 0; i < earlier.m_nGenerated; ++i)
    if (!KeepsEarlierGeneratedFile(m_setup, earlier.m_pGenerated[i]))
      DeleteInstalledFile(m_log, m_choices.strDestDir, earlier.m_pGenerated[i]);
  // The earlier installation's own program group (the folder of its first
  // link) stays the installation's.
  if (earlier.m_nLinks > 0 && !(earlier.m_nFlags & UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED) &&
      EqualNoCase(earlier.m_pLinks[0].Left(earlier.m_pLinks[0].ReverseFind('\\')), m_choices.strProgramGroup))
    m_bOwnsProgramGroup = true;
  bool* pExisted = FindExisting(m_log, earlier);
  earlier.RemoveShortcuts();
  for (int32_t i = 0; pExisted != NULL && i < earlier.m_nLinks; ++i)
    if (pExisted[i])
      m_log.Write(PathIsPresent(earlier.m_pLinks[i]) ? "shortcut not removed" : "removed shortcut",
                  earlier.m_pLinks[i]);
  free(pExisted);
  // The old shortcuts' folder may have been the new program group.
  if (!m_choices.strProgramGroup.IsEmpty())
    MakeFolder(m_choices.strProgramGroup);
}
