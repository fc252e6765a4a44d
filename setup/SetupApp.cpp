// The install sequence: InitInstance leads from the command line and the
// startup box through the choices to the install pipeline and the end of
// setup.
#include "setup/SetupApp.h"

#include "common/ElevatedRestart.h"
#include "framework/os/Elevation.h"
#include "framework/os/System.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/DestinationChoice.h"
#include "setup/decisions/InstallScope.h"
#include "setup/decisions/UnattendedChoices.h"
#include "setup/dialogs/DialogFeedback.h"
#include "setup/install/InstallPipeline.h"

CSetupApp theApp;

CSetupApp::CSetupApp()
    : m_initDlg(NULL), m_destinationDlg(NULL), m_agreementDlg(NULL), m_bSilent(false), m_nExitCode(kExitInstalled),
      m_bExitCodeKept(false)
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
  m_bPerUser = IsPerUserRun(m_options.nGiven, m_bPerUserScript);
  m_log.Write("installation for", m_bPerUser ? "the current user" : "all users");
  return !RanElevated(feedback) && AcceptsVersion(feedback);
}

bool CSetupApp::RanElevated(CInstallFeedback& feedback)
{
  if (!NeedsElevation(m_bPerUser, IsProcessElevated(), (m_options.nGiven & OPT_ELEVATED) != 0))
    return false;
  m_bExitCodeKept = true;
  m_initDlg.ShowWindow(SW_HIDE);
  DWORD nExitCode = 0;
  if (RunAgainElevated(m_log, (m_options.nGiven & OPT_LOG) ? static_cast<const char*>(m_options.strLog) : NULL, "setup",
                       m_lpCmdLine, nExitCode)) {
    m_nExitCode = static_cast<int>(nExitCode);
    return true;
  }
  CString strText;
  strText.Format(Text(kElevationRefused, m_strLanguage, kEnglishOnlyForENG), static_cast<const char*>(m_strAppName));
  feedback.Tell(strText, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
  m_nExitCode = kExitNotElevated;
  return true;
}

bool CSetupApp::AcceptsVersion(CInstallFeedback& feedback)
{
  const EarlierInstallation earlier = FindEarlierInstallation(m_strAppName, m_bPerUser);
  if (!earlier.bRegistered || !IsDowngrade(m_strVersion, earlier.strVersion))
    return true;
  if (m_options.nGiven & OPT_ALLOWDOWNGRADE) {
    m_log.Write("downgrade", earlier.strVersion + " is installed; " + m_strVersion + " replaces it (/ALLOWDOWNGRADE)");
    return true;
  }
  CString strText;
  strText.Format(Text(kDowngradeText, m_strLanguage, kEnglishOnlyForENG), static_cast<const char*>(m_strAppName),
                 static_cast<const char*>(earlier.strVersion), static_cast<const char*>(m_strVersion));
  if (feedback.Tell(strText, kWarningCaption, MB_YESNO | MB_ICONQUESTION, IDNO) == IDYES)
    return true;
  m_log.Write("downgrade refused", earlier.strVersion + " is installed, newer than " + m_strVersion);
  m_bExitCodeKept = true;
  m_nExitCode = kExitDowngrade;
  return false;
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
  const int nExitCode =
      m_bSilent || m_bExitCodeKept || m_nExitCode == kExitBadCommandLine ? m_nExitCode : kExitInstalled;
  CString strCode;
  strCode.Format("%d", nExitCode);
  m_log.Write("exit code", strCode);
  m_log.Close();
  return nExitCode;
}
