// The installation with its windows: the startup box while the overlay is
// read, the background, the agreement, the destination and the program
// group with the Back loop between them, then the pipeline over the
// progress dialog.
#include "setup/SetupApp.h"

#include "framework/os/FileSystem.h"
#include "framework/os/System.h"
#include "setup/decisions/InstallScope.h"
#include "setup/decisions/ProgramGroupChoice.h"
#include "setup/dialogs/BackgroundWnd.h"
#include "setup/dialogs/DialogFeedback.h"
#include "setup/dialogs/ProgressDlg.h"
#include "setup/dialogs/StartMenuDlg.h"
#include "setup/install/InstallPipeline.h"

namespace {

// Nothing pumps messages while files are extracted: paint the progress
// window and its controls now, so it does not stay blank.
void PaintNow(CWnd& window)
{
  ::RedrawWindow(window.m_hWnd, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

bool CSetupApp::ChooseDestinationAndGroup(CStartMenuDlg& startMenu, InstallChoices& choices)
{
  if (m_destinationDlg.DoModal() == IDCANCEL)
    return false;
  while (startMenu.DoModal() == IDCANCEL) {
    // Back: an empty destination that the dialog made goes again; one that
    // was there before stays.
    if (m_destinationDlg.m_bMadeDestDir)
      RemoveFolder(m_destinationDlg.m_strDestDir);
    if (m_destinationDlg.DoModal() == IDCANCEL)
      return false;
  }
  choices.strDestDir = m_destinationDlg.m_strDestDir;
  choices.bMadeDestDir = m_destinationDlg.m_bMadeDestDir;
  choices.strProgramGroup = startMenu.m_strFolder;
  choices.bMadeProgramGroup = startMenu.m_bMadeFolder;
  choices.nScope = startMenu.m_nScope;
  // The person's own start menu with a destination in the person's own
  // profile folder installs for that person alone.
  CString strProfile;
  choices.bPerUser =
      m_bPerUser || (choices.nScope == kScopeCurrentUser && GetEnvironmentText("USERPROFILE", strProfile) &&
                     IsPerUserDestination(choices.strDestDir, strProfile));
  return true;
}

bool CSetupApp::ChooseWithDialogs(CDialogFeedback& feedback, InstallChoices& choices)
{
  // The agreement, when the script has one.
  m_agreementDlg.m_pSetup = this;
  if (!m_agreementDlg.m_strText.IsEmpty() && m_agreementDlg.DoModal() == IDCANCEL) {
    m_log.Write("agreement", "declined");
    return false;
  }
  m_destinationDlg.m_pSetup = this;
  m_destinationDlg.m_pFeedback = &feedback;
  CStartMenuDlg startMenu;
  startMenu.m_pSetup = this;
  startMenu.m_pFeedback = &feedback;
  if (!ChooseDestinationAndGroup(startMenu, choices)) {
    m_log.Write("setup was left in the destination dialog");
    return false;
  }
  m_log.Write("destination", choices.strDestDir);
  m_log.Write("start menu", ScopeName(choices.nScope));
  if (choices.bPerUser && !m_bPerUser)
    m_log.Write("installation for", "the current user (the start menu and destination are the person's own)");
  m_log.Write("program group folder", choices.strProgramGroup);
  return true;
}

void CSetupApp::RunWithDialogs(CDialogFeedback& feedback)
{
  // The startup box, while the overlay is read.
  Enable3dControls();
  m_initDlg.Create(CInitDlg::IDD, NULL);
  if (!LoadInstaller(feedback))
    return;

  // The background becomes the main window; it hides the startup box.
  CBackgroundWnd background(m_strAppName, &m_initDlg);
  m_pMainWnd = &background;
  background.Create(CBackgroundWnd::IDD, NULL);
  feedback.SetOwner(&background);

  InstallChoices choices;
  if (ChooseWithDialogs(feedback, choices)) {
    // The progress dialog over the background.
    CProgressDlg progress(*this);
    progress.Create(CProgressDlg::IDD, &background);
    progress.m_progress.SetRange32(0, m_nTotalSize);
    PaintNow(progress);
    feedback.SetProgress(&progress);
    m_nExitCode = ExitCodeOf(CInstallPipeline(*this, feedback, choices).Run());
    feedback.SetProgress(NULL);
  }

  // Close the windows; setup ends.
  feedback.SetOwner(NULL);
  background.DestroyWindow();
  background.m_bitmap.DeleteObject();
  m_pMainWnd = NULL;
}
