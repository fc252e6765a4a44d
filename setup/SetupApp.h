// The application object: setup's data (CSetupData), the dialogs the
// install sequence keeps from start to end, and the sequence itself in
// InitInstance: the command line, the overlay, the choices (by the dialogs,
// or by the command line of an unattended run), then the install pipeline.
#pragma once
#include "common/CommandLine.h"
#include "common/InstallLog.h"
#include "framework/afxwin.h"
#include "setup/SetupData.h"
#include "setup/dialogs/AgreementDlg.h"
#include "setup/dialogs/DestinationDlg.h"
#include "setup/dialogs/InitDlg.h"
#include "setup/install/InstallChoices.h"
#include "setup/install/InstallPipeline.h"

class CBackgroundWnd;
class CDialogFeedback;
class CInstallFeedback;
class CStartMenuDlg;

// setup's exit codes for an unattended run (/S).
enum SetupExitCode
{
  kExitInstalled = 0,
  kExitUndone = 1,          // stopped or failed, and undone: the machine is as it was
  kExitBadCommandLine = 2,  // or a log that cannot be written; nothing installed
  kExitRefused = 3,         // the destination or the program group
  kExitDamaged = 4,         // the installer cannot be read, or no memory for it
  kExitNotUndone = 5,       // stopped or failed, and not all of it could be undone
  kExitDowngrade = 6,       // a newer version is installed (see /ALLOWDOWNGRADE); nothing installed
  kExitNotElevated = 7,     // administrator rights were refused; nothing installed
};

// The exit code of an installation's outcome.
int ExitCodeOf(InstallOutcome outcome);

class CSetupApp : public CWinApp, public CSetupData
{
public:
  CSetupApp();
  ~CSetupApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  // Reads this program's own file (the module path) and its overlay.
  BOOL LoadOverlay();

  CInitDlg m_initDlg;
  CDestinationDlg m_destinationDlg;
  CAgreementDlg m_agreementDlg;

private:
  // The options. Unless kArgumentsUsed setup is to end at once (with
  // m_nExitCode), having told why when the log cannot be written.
  ArgumentsVerdict ReadCommandLine(const char* lpszArgs);
  // The overlay and the file table: false when setup cannot go on (told).
  bool LoadInstaller(CInstallFeedback& feedback);
  // A per-machine installation without administrator rights: setup starts
  // again with them, and this run ends with that one's exit code, or tells
  // that they were refused. false when this run goes on.
  bool RanElevated(CInstallFeedback& feedback);
  // An earlier installation of a newer version is replaced only when the
  // person agrees or /ALLOWDOWNGRADE says so. false when setup is to end.
  bool AcceptsVersion(CInstallFeedback& feedback);
  int RunUnattended(CInstallFeedback& feedback);
  void RunWithDialogs(CDialogFeedback& feedback);
  // The agreement, the destination and the program group, with the Back
  // loop between the last two. false when the person leaves setup.
  bool ChooseWithDialogs(CDialogFeedback& feedback, InstallChoices& choices);
  bool ChooseDestinationAndGroup(CStartMenuDlg& startMenu, InstallChoices& choices);

  // The command line: /S makes the run unattended, without any window.
  CommandLine m_options;
  bool m_bSilent;
  CInstallLog m_log;
  int m_nExitCode;
  // m_nExitCode ends a run with windows too: it is no longer the windows'.
  bool m_bExitCodeKept;
};

extern CSetupApp theApp;
