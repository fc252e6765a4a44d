// The record for the uninstaller: uninstall.dat in the destination.
#include "setup/install/InstallPipeline.h"

#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "setup/SetupTexts.h"
#include "setup/UninstallDataWriter.h"

bool CInstallPipeline::SaveUninstallData()
{
  m_feedback.ShowStatus(Text(kCreatingUninstallData));
  const CString strPath = m_choices.strDestDir + "\\uninstall.dat";
  // The earlier record goes aside: undone, the installation brings it back.
  const bool bReady = (!PathIsPresent(strPath) || RemoveEarlierFile(strPath)) && m_journal.WillMakeFile(strPath);
  // The flag speaks of the first link's folder: the program group's only
  // when it holds links.
  const bool bGroupExisted = !m_bOwnsProgramGroup && m_setup.m_nShortcuts > 0;
  const BOOL bNotWritten =
      !bReady || WriteUninstallData(m_setup, strPath, bGroupExisted ? UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED : 0);
  if (!bNotWritten) {
    m_log.Write("uninstall data", strPath);
    return true;
  }
  m_feedback.Tell(kUninstallDataNotSaved, kErrorCaption, MB_ICONEXCLAMATION);
  return false;
}
