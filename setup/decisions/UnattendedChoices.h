// The choices of an unattended run (/S), made as the dialogs make them but
// without a window: the destination from /D= or the destination dialog's
// proposal, through the checks of its OK (a folder that is there already
// is used, as "Yes" to the dialog's question); the program group from
// /GROUP= or the application's name, below the Programs folder of the
// scope that /ALLUSERS or /CURRENTUSER name or the dialog would select.
// Every decision and refusal is logged.
#pragma once
#include "common/CommandLine.h"
#include "setup/SetupData.h"
#include "setup/install/InstallChoices.h"
#include "common/InstallLog.h"

enum UnattendedVerdict
{
  kChoicesMade,
  // The destination or the program group is refused; a destination that
  // was made for it goes again, as Back from the start-menu dialog takes
  // it away.
  kChoiceRefused,
  // The destination holds an installation that never ended and that could
  // not be undone.
  kEarlierNotUndone,
};

UnattendedVerdict ChooseUnattended(const CSetupData& setup, const CommandLine& options, CInstallLog& log,
                                   InstallChoices& choices);
