// The record for the uninstaller: uninstall.dat in the destination, after a
// complete installation and after a stopped one.
#include "setup/install/InstallPipeline.h"

#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "setup/SetupTexts.h"
#include "setup/UninstallDataWriter.h"

bool CInstallPipeline::SaveUninstallData()
{
  m_feedback.ShowStatus(Text(kCreatingUninstallData));
  const CString strPath = m_choices.strDestDir + "\\uninstall.dat";
  // The flag speaks of the first link's folder: the program group's only
  // when it holds links.
  const bool bGroupExisted = !m_bOwnsProgramGroup && m_setup.m_nShortcuts > 0;
  const BOOL bNotWritten =
      WriteUninstallData(m_setup, strPath, bGroupExisted ? UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED : 0);
  if (!bNotWritten) {
    m_log.Write("uninstall data", strPath);
    return true;
  }
  m_feedback.Tell(kUninstallDataNotSaved, kErrorCaption, MB_ICONEXCLAMATION);
  return false;
}

// A stopped installation leaves what it has extracted, and nothing of it is
// orphaned: the record lists the new file table up to the entry it stopped
// at (which it may have begun to write) together with what an earlier
// installation of the same application there recorded, and the application
// is registered when its uninstaller is in place. So either the uninstaller
// or a later setup into the same directory removes all of it, and nothing
// of the entries that were never extracted: a file by such a name is not
// the installation's. Shortcuts and fonts were not touched yet.
void CInstallPipeline::RecordStoppedInstallation(int32_t nStoppedAt)
{
  const CString strRecord = m_choices.strDestDir + "\\uninstall.dat";
  UninstallData earlier;
  const bool bSameApplication = earlier.Read(strRecord) == 0 && m_setup.m_strAppName == earlier.m_strAppName;
  // No shortcut was made: the record lists none.
  int32_t nCounts[3] = {m_setup.m_nShortcuts, m_setup.m_nStartupShortcuts, m_setup.m_nDesktopShortcuts};
  m_setup.m_nShortcuts = m_setup.m_nStartupShortcuts = m_setup.m_nDesktopShortcuts = 0;
  // No link of its own is recorded: the earlier record's come first, and
  // what it knew of their folder.
  const BOOL bNotWritten = WriteUninstallData(m_setup, strRecord, bSameApplication ? earlier.m_nFlags : 0,
                                              bSameApplication ? &earlier : NULL, nStoppedAt + 1);
  m_setup.m_nShortcuts = nCounts[0];
  m_setup.m_nStartupShortcuts = nCounts[1];
  m_setup.m_nDesktopShortcuts = nCounts[2];
  m_log.Write(bNotWritten ? "uninstall data not written" : "uninstall data", strRecord);
  // Without its record the uninstaller could only say that it has none.
  if (!bNotWritten && PathIsPresent(m_choices.strDestDir + "\\uninstall.exe"))
    RegisterUninstall();
}
