// The install sequence: InitInstance leads from the startup box through the
// dialogs and the extraction to the end of setup.
#include <stdio.h>

#include "common/UninstallData.h"
#include "setup/SetupTexts.h"
#include "setup/SetupApp.h"
#include "setup/UninstallDataWriter.h"
#include "setup/dialogs/BackgroundWnd.h"
#include "setup/dialogs/ProgramGroupChoice.h"
#include "setup/dialogs/ProgressDlg.h"
#include "setup/dialogs/StartMenuDlg.h"

namespace {

// Nothing pumps messages while files are extracted: paint the progress
// window and its controls now, so it does not stay blank.
void PaintNow(CWnd& window)
{
  ::RedrawWindow(window.m_hWnd, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

struct FailureContext
{
  CSetupApp* pApp;
  CWnd* pOwner;
};

// An entry that cannot be extracted: the person is told which and why, and
// chooses between trying again (say, after closing a program that holds the
// file) and stopping the installation. An unattended run stops, as Cancel
// does. The log gets the file and the cause, without the advice.
bool AskRetry(int32_t nIndex, const CString& strCause, void* pUserData)
{
  FailureContext* pContext = static_cast<FailureContext*>(pUserData);
  CSetupApp& app = *pContext->pApp;
  CString strText;
  strText.Format(Text(kExtractFailed, app.m_strLanguage, kEnglishOnlyForENG), app.m_pFiles[nIndex].name,
                 static_cast<const char*>(strCause));
  const int nAdvice = strText.Find("\n\n");
  app.m_log.Write(kErrorCaption, nAdvice < 0 ? strText : strText.Left(nAdvice));
  if (app.m_bSilent)
    return false;
  const bool bRetry =
      ::MessageBoxA(pContext->pOwner->m_hWnd, strText, kErrorCaption, MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
  app.m_log.Write("answer", bRetry ? "Retry" : "Cancel");
  return bRetry;
}

}  // namespace

int CSetupApp::Tell(CWnd* pOwner, const char* lpszText, const char* lpszCaption, UINT nType, int nDefault)
{
  m_log.Write(lpszCaption, lpszText);
  if (m_bSilent)
    return nDefault;
  return ::MessageBoxA(pOwner != NULL ? pOwner->m_hWnd : NULL, lpszText, lpszCaption, nType);
}

void CSetupApp::ShowStatus(CProgressDlg* pProgress, const SetupText& text)
{
  const char* pszText = Text(text, m_strLanguage, kEnglishOnlyForENG);
  if (pProgress != NULL)
    pProgress->SetDlgItemText(IDC_CURRENT_FILE, pszText);
  m_log.Write(pszText);
}

// The destination and the program group, with the Back loop between them.
// IDCANCEL when the person leaves setup.
INT_PTR CSetupApp::ChooseDestination(CStartMenuDlg& startMenu)
{
  if (m_destinationDlg.DoModal() == IDCANCEL)
    return IDCANCEL;
  while (startMenu.DoModal() == IDCANCEL) {
    // Back: an empty destination that the dialog made goes again; one that
    // was there before stays.
    if (m_destinationDlg.m_bMadeDestDir)
      _rmdir(m_destinationDlg.m_szDestDir);
    if (m_destinationDlg.DoModal() == IDCANCEL)
      return IDCANCEL;
  }
  return IDOK;
}

// The clean-up after an earlier installation: only when the destination
// holds a record of the same application.
void CSetupApp::CleanUpEarlierInstallation(CProgressDlg* pProgress, const char* lpszProgramGroup)
{
  FILE* pFile = fopen("uninstall.dat", "rb");
  if (pFile == NULL)
    return;
  ShowStatus(pProgress, kCheckingOldData);
  fclose(pFile);
  UninstallData earlier;
  if (earlier.Read("uninstall.dat") != 0) {
    m_log.Write("clean-up", "the earlier uninstall.dat cannot be read: nothing is removed");
    return;
  }
  if (m_strAppName != earlier.m_szAppName) {
    m_log.Write("clean-up",
                CString("the earlier uninstall.dat belongs to ") + earlier.m_szAppName + ": nothing is removed");
    return;
  }
  RemoveEarlierInstallation(earlier, lpszProgramGroup);
}

// The shortcuts of the three lists: the program group's, then the Startup
// folder's and the desktop's.
void CSetupApp::CreateAllShortcuts(CProgressDlg* pProgress, const char* lpszProgramGroup)
{
  ShowStatus(pProgress, kCreatingShortcuts);
  for (int32_t i = 0; i < m_nShortcuts; ++i)
    CreateShortcut(&m_pShortcuts[i], lpszProgramGroup);
  if (m_nStartupShortcuts != 0)
    CreateShortcutsIn(m_pStartupShortcuts, m_nStartupShortcuts, "Startup");
  if (m_nDesktopShortcuts != 0)
    CreateShortcutsIn(m_pDesktopShortcuts, m_nDesktopShortcuts, "Desktop");
}

// The record for the uninstaller.
bool CSetupApp::SaveUninstallData(CProgressDlg* pProgress, CWnd* pOwner, const char* lpszDestDir)
{
  ShowStatus(pProgress, kCreatingUninstallData);
  const CString strPath = CString(lpszDestDir) + "\\uninstall.dat";
  if (!WriteUninstallData(*this, strPath)) {
    m_log.Write("uninstall data", strPath);
    return true;
  }
  Tell(pOwner, kUninstallDataNotSaved, kErrorCaption, MB_ICONEXCLAMATION);
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
void CSetupApp::RecordStoppedInstallation(const char* lpszDestDir, int32_t nStoppedAt)
{
  CString strRecord = CString(lpszDestDir) + "\\uninstall.dat";
  UninstallData earlier;
  bool bSameApplication = earlier.Read(strRecord) == 0 && m_strAppName == earlier.m_szAppName;
  int32_t nCounts[3] = {m_nShortcuts, m_nStartupShortcuts, m_nDesktopShortcuts};
  m_nShortcuts = m_nStartupShortcuts = m_nDesktopShortcuts = 0;
  BOOL bNotWritten = WriteUninstallData(*this, strRecord, bSameApplication ? &earlier : NULL, nStoppedAt + 1);
  m_nShortcuts = nCounts[0];
  m_nStartupShortcuts = nCounts[1];
  m_nDesktopShortcuts = nCounts[2];
  m_log.Write(bNotWritten ? "uninstall data not written" : "uninstall data", strRecord);
  // Without its record the uninstaller could only say that it has none.
  if (!bNotWritten && ::GetFileAttributesA(CString(lpszDestDir) + "\\uninstall.exe") != INVALID_FILE_ATTRIBUTES)
    RegisterUninstall(lpszDestDir);
}

// From the extraction to the completion message, after the dialogs or the
// unattended choices.
int CSetupApp::Install(const char* lpszDestDir, const char* lpszProgramGroup, CProgressDlg* pProgress, CWnd* pOwner)
{
  // The files.
  FailureContext context = {this, pOwner};
  int32_t nStoppedAt = ExtractFiles(pProgress, lpszDestDir, NULL, &context, AskRetry);
  if (nStoppedAt >= 0) {
    m_log.Write("installation stopped at", m_pFiles[nStoppedAt].name);
    RecordStoppedInstallation(lpszDestDir, nStoppedAt);
    if (pProgress != NULL)
      pProgress->EndDialog(0);
    return kExitStopped;
  }

  // Relative names from here on are inside the destination; if it
  // cannot be made current, nothing is deleted relative to another place.
  if (_chdir(lpszDestDir) == 0)
    CleanUpEarlierInstallation(pProgress, lpszProgramGroup);
  else
    m_log.Write("clean-up", "the destination cannot be made the current directory: nothing is removed");

  CreateAllShortcuts(pProgress, lpszProgramGroup);

  if (m_nFonts != 0) {
    ShowStatus(pProgress, kInstallingFonts);
    InstallFonts(lpszDestDir);
  }

  // The record for the uninstaller, and the registration. Without
  // the record the uninstaller could not work: it is not registered then.
  bool bRemovable = SaveUninstallData(pProgress, pOwner, lpszDestDir) && !RegisterUninstall(lpszDestDir);

  // Done; the person learns when the program cannot be removed.
  if (pProgress != NULL)
    pProgress->EndDialog(0);
  CString strText = m_strAppName + Text(kInstalledText, m_strLanguage, kEnglishOnlyForENG);
  if (!bRemovable)
    strText += Text(kNotRemovable, m_strLanguage, kEnglishOnlyForENG);
  Tell(pOwner, strText, Text(kInstalledTitle, m_strLanguage, kEnglishOnlyForENG), MB_OK | MB_ICONINFORMATION);
  return kExitInstalled;
}

// The agreement, the destination, the program group and the progress
// dialog, then the installation. Returns when the installation is complete,
// stopped, or the person has left.
void CSetupApp::RunInstallation(CBackgroundWnd& background)
{
  // The agreement, when the script has one.
  if (!m_agreementDlg.m_strText.IsEmpty() && m_agreementDlg.DoModal() == IDCANCEL) {
    m_log.Write("agreement", "declined");
    return;
  }

  CStartMenuDlg startMenu;
  if (ChooseDestination(startMenu) == IDCANCEL) {
    m_log.Write("setup was left in the destination dialog");
    return;
  }
  const char* pszDest = m_destinationDlg.m_szDestDir;
  const char* pszGroup = startMenu.m_szFolder;
  m_log.Write("destination", pszDest);
  m_log.Write("start menu", ScopeName(startMenu.m_nScope));
  m_log.Write("program group folder", pszGroup);

  // The progress dialog over the background.
  CProgressDlg progress;
  progress.Create(CProgressDlg::IDD, &background);
  progress.m_progress.SetRange32(0, m_nTotalSize);
  PaintNow(progress);

  m_nExitCode = Install(pszDest, pszGroup, &progress, &background);
}

BOOL CSetupApp::InitInstance()
{
  if (!ReadCommandLine(m_lpCmdLine))
    return FALSE;

  // The startup box, while the overlay is read.
  if (!m_bSilent) {
    Enable3dControls();
    m_initDlg.Create(CInitDlg::IDD, NULL);
  }

  // The overlay: script and archive.
  if (LoadOverlay()) {
    Tell(NULL, m_strError, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    m_nExitCode = kExitDamaged;
    return FALSE;
  }
  m_log.Write("application", m_strAppName);

  // The file table. Without it nothing would be installed while setup
  // went on as if all was well.
  if (BuildFileTable()) {
    Tell(NULL, kOutOfMemory, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    m_nExitCode = kExitDamaged;
    return FALSE;
  }

  if (m_bSilent) {
    m_nExitCode = RunSilentInstallation();
    return FALSE;
  }

  // The background becomes the main window; it hides the startup box.
  CBackgroundWnd background;
  m_pMainWnd = &background;
  background.Create(CBackgroundWnd::IDD, NULL);

  RunInstallation(background);

  // Close the windows; setup ends. The progress and start-menu dialogs
  // went with RunInstallation's locals.
  background.DestroyWindow();
  background.m_bitmap.DeleteObject();
  m_pMainWnd = NULL;
  return FALSE;
}

// The exit code is the unattended run's; after its windows setup ends with
// 0, as it always has, unless the log it was asked for cannot be written.
int CSetupApp::ExitInstance()
{
  const int nExitCode = m_bSilent || m_nExitCode == kExitBadCommandLine ? m_nExitCode : kExitInstalled;
  CString strCode;
  strCode.Format("%d", nExitCode);
  m_log.Write("exit code", strCode);
  m_log.Close();
  return nExitCode;
}
