// The clean-up after an earlier installation: what an earlier installation
// of the same application left in the destination and the new one does not
// bring again is deleted, with its shortcuts.
#include "setup/install/InstallPipeline.h"

#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "framework/os/System.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/CleanupRules.h"

bool CInstallPipeline::RemoveEarlierFile(const char* lpszPath)
{
  // Files only: a folder stays, and so does what is not there.
  const uint32_t nAttributes = GetPathAttributes(lpszPath);
  if (nAttributes == kNoAttributes || (nAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  if (m_journal.MoveAside(lpszPath))
    return true;
  m_log.Write("not removed", lpszPath);
  return false;
}

namespace {

// The earlier file, extracted over under its earlier spelling, takes the
// new one through a free temporary name, since some file systems ignore a
// rename that changes case alone.
void TakeNewSpelling(CInstallLog& log, CInstallJournal& journal, const char* lpszRoot, const char* lpszEarlier,
                     const char* lpszNew)
{
  if (!IsInsideInstallation(lpszEarlier) || !IsInsideInstallation(lpszNew))
    return;
  const CString strEarlier = JoinPath(lpszRoot, lpszEarlier);
  const CString strNew = JoinPath(lpszRoot, lpszNew);
  const CString strTemp = strNew + ".case~";
  if (PathIsPresent(strTemp) || !journal.WillRename(strEarlier, strTemp) || !RenamePath(strEarlier, strTemp))
    return;
  if (journal.WillRename(strTemp, strNew) && RenamePath(strTemp, strNew))
    log.Write("renamed", CString(lpszEarlier) + " to " + lpszNew);
  else
    RenamePath(strTemp, strEarlier);
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
  // Names come from a file in the destination: only those that stay inside
  // it are ever removed. What goes is moved aside, to come back if the
  // installation is undone.
  const CString& strRoot = m_choices.strDestDir;
  for (int32_t i = 0; i < earlier.m_nInstalled; ++i) {
    const char* pszName = earlier.m_pInstalled[i];
    const char* pszNewName = NULL;
    switch (DecideEarlierFile(m_setup, pszName, &pszNewName)) {
    case kEarlierFileKept: break;
    case kEarlierFileDeleted:
      if (IsInsideInstallation(pszName) && RemoveEarlierFile(JoinPath(strRoot, pszName)))
        m_log.Write("removed", pszName);
      break;
    case kEarlierFileRenamed: TakeNewSpelling(m_log, m_journal, strRoot, pszName, pszNewName); break;
    }
  }
  for (int32_t i = 0; i < earlier.m_nGenerated; ++i) {
    const char* pszName = earlier.m_pGenerated[i];
    if (!KeepsEarlierGeneratedFile(m_setup, pszName) && IsInsideInstallation(pszName) &&
        RemoveEarlierFile(JoinPath(strRoot, pszName)))
      m_log.Write("removed", pszName);
  }
  // The earlier installation's own program group (the folder of its first
  // link) stays the installation's.
  if (earlier.m_nLinks > 0 && !(earlier.m_nFlags & UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED) &&
      EqualNoCase(earlier.m_pLinks[0].Left(earlier.m_pLinks[0].ReverseFind('\\')), m_choices.strProgramGroup))
    m_bOwnsProgramGroup = true;
  // The earlier shortcuts (.lnk files only: a damaged record must not
  // remove anything else), then their folder when that leaves it empty.
  for (int32_t i = 0; i < earlier.m_nLinks; ++i)
    if (IsShortcutPath(earlier.m_pLinks[i]) && RemoveEarlierFile(earlier.m_pLinks[i]))
      m_log.Write("removed shortcut", earlier.m_pLinks[i]);
  CString strFolder;
  if (earlier.GetShortcutFolder(strFolder) && IsFolder(strFolder) && m_journal.WillRemoveFolder(strFolder))
    RemoveFolder(strFolder);
  // The old shortcuts' folder may have been the new program group.
  const CString& strGroup = m_choices.strProgramGroup;
  if (!strGroup.IsEmpty() && !IsFolder(strGroup) && m_journal.WillMakeFolder(strGroup))
    MakeFolder(strGroup);
}
