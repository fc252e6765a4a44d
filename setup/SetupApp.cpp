// The install sequence: InitInstance leads from the command line and the
// startup box through the choices to the install pipeline and the end of
// setup.
#include "setup/SetupApp.h"

#include "framework/os/System.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/UnattendedChoices.h"
#include "setup/dialogs/DialogFeedback.h"
#include "setup/install/InstallPipeline.h"

CSetupApp theApp;

CSetupApp::CSetupApp()
    : m_initDlg(NULL), m_destinationDlg(NULL), m_agreementDlg(NULL), m_bSilent(false), m_nExitCode(kExitInstalled)
{
  m_options.nGiven = 0;
}

CSetupApp::~CSetupApp() {}

BOOL CSetupApp::LoadOverlay()
{
  // Without its path nothing opens, which fails as a missing file.
  CString strPath;
  GetModulePath(strPath);
  return LoadOverlayFrom(strPath, m_agreementDlg.m_strText);
}

bool CSetupApp::LoadInstaller(CInstallFeedback& feedback)
{
  if (LoadOverlay()) {
    feedback.Tell(m_strError, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    m_nExitCode = kExitDamaged;
    return false;
  }
  m_log.Write("application", m_strAppName);
  // The file table. Without it nothing would be installed while setup
  // went on as if all was well.
  if (BuildFileTable()) {
    feedback.Tell(kOutOfMemory, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    m_nExitCode = kExitDamaged;
    return false;
  }
  return true;
}

// /S: no window at all; the choices as the dialogs would make them.
int CSetupApp::RunUnattended(CInstallFeedback& feedback)
{
  if (!LoadInstaller(feedback))
    return m_nExitCode;
  if (!m_agreementDlg.m_strText.IsEmpty())
    m_log.Write("agreement", "accepted by whoever runs /S");
  InstallChoices choices;
  switch (ChooseUnattended(*this, m_options, m_log, choices)) {
  case kChoicesMade: break;
  case kChoiceRefused: return kExitRefused;
  case kEarlierNotUndone: return kExitNotUndone;
  }
  return ExitCodeOf(CInstallPipeline(*this, feedback, choices).Run());
}

int ExitCodeOf(InstallOutcome outcome)
{
  switch (outcome) {
  case kInstallDone: return kExitInstalled;
  case kInstallUndone: return kExitUndone;
  default: return kExitNotUndone;
  }
}

BOOL CSetupApp::InitInstance()
{
  const ArgumentsVerdict verdict = ReadCommandLine(m_lpCmdLine);
  if (m_bSilent) {
    CUnattendedFeedback feedback(m_log);
    if (verdict == kArgumentsUsed)
      m_nExitCode = RunUnattended(feedback);
  } else {
    CDialogFeedback feedback(m_log);
    if (verdict == kArgumentsUsed)
      RunWithDialogs(feedback);
    else if (verdict == kArgumentsNoLog)
      feedback.Tell(CString(kCannotLog) + m_options.strLog, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
  }
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
