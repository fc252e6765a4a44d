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

// The proposal: the folder of the earlier installation that is registered
// under the application's name (szPrevDir gets it too), else the default
// location ("ProgramFiles" or a per-user Shell Folders value) with the
// application's name behind it (szPrevDir empty). Unreadable registry
// values leave "C:\" in its place.
void ProposeDestination(const CString& strAppName, const CString& strDefaultDest, CString& strProposal,
                        CString& strPrevDir);

enum DestinationVerdict
{
  kDestAccepted,  // created, or a folder there that needs no question
  kDestExists,    // another folder of that name: the dialog asks whether to use it
  kDestTooLong,
  kDestInvalidForm,
  kDestNoSpace,
  kDestCannotCreate,
  kDestFileExists,
};

struct DestinationCheck
{
  DestinationVerdict verdict;
  bool bMade;            // the check created the folder itself
  int32_t nShortfallKB;  // for kDestNoSpace
};

// OK's checks in its order: the length, the form ("X:" first), the free
// space for nTotalSize bytes and the reserve, then the creation with any
// missing parents. The earlier installation's folder lpszPrevDir is taken
// as it is; nothing is created before the space check has passed.
DestinationCheck CheckDestination(const char* lpszPath, const char* lpszPrevDir, int32_t nTotalSize);

// The message of a refusal as the dialog shows it, with its icon.
CString DescribeDestinationRefusal(const DestinationCheck& check, const char* lpszPath, UINT& nIcon);
