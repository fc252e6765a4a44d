// CWinApp: the one application object. The layer's WinMain calls its
// InitInstance; setup's returns FALSE, so no message loop ever runs and the
// program ends when InitInstance returns, with ExitInstance's exit code.
#pragma once
#include "framework/window/Wnd.h"

class CWinApp
{
public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  // The program's exit code once InitInstance has returned.
  virtual int ExitInstance();

  // Three-dimensional controls are the system's own look since Windows 95
  // and common controls 6 draw them themed: nothing is left to switch on.
  BOOL Enable3dControls() { return TRUE; }
  HICON LoadIcon(UINT nIDResource) const;

  CWnd* m_pMainWnd;
  // The arguments, without the program's name; set before InitInstance.
  const char* m_lpCmdLine;
};

CWinApp* AfxGetApp();

// A message box owned by the main window, captioned with the program's name.
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
