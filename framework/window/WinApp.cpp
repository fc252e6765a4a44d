// The application object and the program's entry point. They live in one
// file so that the object, which every program defines, brings the entry
// point out of the library with it.
#include "framework/window/WinApp.h"
#include "framework/DllSearch.h"
#include "framework/os/System.h"
#include <commctrl.h>
#include <string.h>

static CWinApp* s_pApp = NULL;

// The first application object constructed is the program's: a later
// one (a test's, say) does not take its place.
CWinApp::CWinApp() : m_pMainWnd(NULL), m_lpCmdLine("")
{
  if (s_pApp == NULL)
    s_pApp = this;
}

CWinApp::~CWinApp()
{
  if (s_pApp == this)
    s_pApp = NULL;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
  return ::LoadIconA(::GetModuleHandleW(NULL), MAKEINTRESOURCEA(nIDResource));
}

CWinApp* AfxGetApp() { return s_pApp; }

int AfxMessageBox(const char* lpszText, UINT nType, UINT)
{
  // The program's file name without folder and extension.
  char szTitle[MAX_PATH];
  if (!GetModulePath(szTitle, sizeof(szTitle)))
    szTitle[0] = '\0';
  char* pName = strrchr(szTitle, '\\');
  pName = pName != NULL ? pName + 1 : szTitle;
  char* pExtension = strrchr(pName, '.');
  if (pExtension != NULL)
    *pExtension = '\0';

  HWND hOwner = NULL;
  if (s_pApp != NULL && s_pApp->m_pMainWnd != NULL)
    hOwner = s_pApp->m_pMainWnd->m_hWnd;
  return ShowMessageBox(hOwner, lpszText, pName, nType);
}

// The entry point: make loading safe, ready the controls, and hand over to
// the application object.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
  RestrictDllSearch();

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL)
    return 1;
  if (lpCmdLine != NULL)
    pApp->m_lpCmdLine = lpCmdLine;
  pApp->InitInstance();
  return pApp->ExitInstance();
}
