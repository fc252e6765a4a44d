// The install sequence: InitInstance leads from the startup box through the
// dialogs and the extraction to the end of setup.
#include <stdio.h>
#include "setup/SetupApp.h"
#include "setup/dialogs/BackgroundWnd.h"
#include "setup/dialogs/ProgressDlg.h"

namespace {

// Until the destination dialog runs in the sequence: the script's
// application name below C:\, created here as that dialog would.
void UseDefaultDestination(CSetupApp& app)
{
  char* pszDest = app.m_destinationDlg.m_szDestDir;
  snprintf(pszDest, sizeof(app.m_destinationDlg.m_szDestDir), "C:\\%s", static_cast<const char*>(app.m_strAppName));
  _mkdir(pszDest);
}

// Nothing pumps messages while files are extracted: paint the progress
// window and its controls now, so it does not stay blank.
void PaintNow(CWnd& window)
{
  ::RedrawWindow(window.m_hWnd, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// No message loop runs while files are extracted. Between entries setup
// still answers what other programs send it (PeekMessage handles sent
// messages) and repaints its windows; input stays queued, untouched.
void AnswerAndRepaint()
{
  MSG msg;
  for (int i = 0; i < 64 && ::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
    ::DispatchMessageA(&msg);
}

void ReportFailedEntry(CWnd& owner, const char* lpszName)
{
  CString strText;
  strText.Format("%s could not be extracted!\nSetup cannot continue.", lpszName);
  ::MessageBoxA(owner.m_hWnd, strText, "Error", MB_OK | MB_ICONEXCLAMATION);
}

// Steps 6 to 18: the dialogs, the extraction and what follows it. Returns
// when the installation is complete or the user has left.
void RunInstallation(CSetupApp& app, CBackgroundWnd& background)
{
  // 6. The agreement, when the script has one.
  if (!app.m_agreementDlg.m_strText.IsEmpty() && app.m_agreementDlg.DoModal() == IDCANCEL)
    return;

  // 7, 8. Destination and program group.
  UseDefaultDestination(app);
  const char* pszDest = app.m_destinationDlg.m_szDestDir;

  // 9. The progress dialog over the background.
  CProgressDlg progress;
  progress.Create(CProgressDlg::IDD, &background);
  progress.m_progress.SetRange32(0, app.m_nTotalSize);
  PaintNow(progress);

  // 10. Extraction.
  int32_t nFailed = app.ExtractFiles(progress, pszDest);
  if (nFailed >= 0)
  {
    ReportFailedEntry(background, app.m_pFiles[nFailed].name);
    return;
  }

  // 17. Done: hide the progress dialog.
  progress.EndDialog(0);
}

}  // namespace

BOOL CSetupApp::InitInstance()
{
  // 1, 2. The startup box, while the overlay is read.
  Enable3dControls();
  m_initDlg.Create(CInitDlg::IDD, NULL);

  // 3. The overlay: script and archive.
  if (LoadOverlay())
  {
    ::MessageBoxA(NULL, m_strError, "Error", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }

  // 4. The file table.
  BuildFileTable();

  // 5. The background becomes the main window; it hides the startup box.
  CBackgroundWnd background;
  m_pMainWnd = &background;
  background.Create(CBackgroundWnd::IDD, NULL);

  RunInstallation(*this, background);

  // 19. Close the windows; setup ends.
  background.DestroyWindow();
  background.m_bitmap.DeleteObject();
  m_pMainWnd = NULL;
  return FALSE;
}

int32_t CSetupApp::ExtractFiles(CProgressDlg& progress, const char* lpszDestDir, EntryDoneHook pfnEntryDone,
                                void* pUserData)
{
  for (int32_t j = 0; j < m_nFiles; ++j)
  {
    progress.SetDlgItemText(IDC_CURRENT_FILE, "");
    progress.SetDlgItemText(IDC_CURRENT_FILE, m_pFiles[j].name);
    try
    {
      m_archive.ExtractFile(static_cast<uint16_t>(j), lpszDestDir, true, NULL, NULL, NULL, 65535);
    }
    catch (CException* e)
    {
      e->Delete();
      return j;
    }
    progress.m_progress.OffsetPos(m_pFiles[j].size);
    AnswerAndRepaint();
    if (pfnEntryDone != NULL)
      pfnEntryDone(j, pUserData);
  }
  return -1;
}
