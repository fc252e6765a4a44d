// What the destination dialog decides, apart from its window: the proposal,
// and the checks and creation behind OK. The dialog and an unattended
// installation both decide with these.
//
// Failure convention of setup's decisions (setup/decisions/): a check
// returns a verdict that names what it found, and a Describe function gives
// the message of a refusal; the caller tells it, in a box or in the log.
#pragma once
#include <stdint.h>
#include "framework/afx.h"

// The entry of an earlier installation of the application in the list of
// installed programs: below HKEY_CURRENT_USER for a per-user run, else
// below HKEY_LOCAL_MACHINE.
struct EarlierInstallation
{
  bool bRegistered = false;
  // Its InstallLocation, else the folder of the uninstaller its
  // UninstallString names (quoted or bare; "C:" without the value); empty
  // when that names no folder.
  CString strFolder;
  CString strVersion;  // DisplayVersion, empty when it has none
};
EarlierInstallation FindEarlierInstallation(const CString& strAppName, bool bPerUser);

// The proposal: the folder of the earlier installation that is registered
// under the application's name (szPrevDir gets it too), else the default
// location with the application's name behind it (szPrevDir empty): for a
// per-user run <Local AppData>\Programs, else "ProgramFiles" or another
// Shell Folders value as the script's #DefaultDest says. Unreadable
// registry values leave "C:\" in its place.
void ProposeDestination(const CString& strAppName, const CString& strDefaultDest, bool bPerUser, CString& strProposal,
                        CString& strPrevDir);

enum DestinationVerdict
{
  kDestAccepted,  // created, or a folder there that needs no question
  kDestExists,    // another folder of that name: the dialog asks whether to use it
  kDestTooLong,
  kDestInvalidForm,
  kDestNotAbsolute,
  kDestNoSpace,
  kDestCannotCreate,
  kDestFileExists,
};

// The forms a destination may have. The dialog's: "X:" followed by nothing
// (the drive's root) or a separator, never the drive-relative "X:Path". An
// unattended /D=: only an absolute path, "X:\Path" or "\\server\share\Path".
enum DestinationForm
{
  kDialogForm,
  kAbsoluteForm,
};

struct DestinationCheck
{
  DestinationVerdict verdict;
  bool bMade;            // the check created the folder itself
  int32_t nShortfallKB;  // for kDestNoSpace
  CString strPath;       // the path in its normal form once the form has passed, else as given
};

// The destination as it is installed into and registered: '/' read as '\',
// runs of separators as one (but for a UNC path's leading two), no
// separator at its end. A root keeps none either ("X:", "\\server\share"):
// every name is joined to the destination with a backslash.
CString NormalizeDestination(const char* lpszPath);

// OK's checks in its order: the length, the form, the free space for
// nTotalSize bytes and the reserve on the path's drive or share, then the
// creation with any missing parents, on the normal form. The earlier
// installation's folder lpszPrevDir needs no question; nothing is created
// before the space check has passed.
DestinationCheck CheckDestination(const char* lpszPath, const char* lpszPrevDir, int32_t nTotalSize,
                                  DestinationForm form = kDialogForm);

// The message of a refusal as the dialog shows it, with its icon.
CString DescribeDestinationRefusal(const DestinationCheck& check, UINT& nIcon);
