#include "setup/SetupApp.h"

CSetupApp theApp;

CSetupApp::CSetupApp()
    : m_initDlg(NULL), m_destinationDlg(NULL), m_agreementDlg(NULL), m_bSilent(false), m_nExitCode(kExitInstalled)
{
  m_options.nGiven = 0;
}

CSetupApp::~CSetupApp() {}

BOOL CSetupApp::LoadOverlay()
{
  char szPath[MAX_PATH];
  DWORD nLength = ::GetModuleFileNameA(NULL, szPath, sizeof(szPath));
  // A cut path could name another file: open nothing instead, which fails.
  if (nLength == 0 || nLength >= sizeof(szPath))
    szPath[0] = '\0';
  return LoadOverlayFrom(szPath, m_agreementDlg.m_strText);
}
