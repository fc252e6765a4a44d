// Whom an installation is for, whether setup needs administrator rights
// for it, and whether its version may replace the one installed. Pure
// decisions, portable, so that every case runs as a native test.
#pragma once
#include "common/ElevationRule.h"
#include "framework/String.h"

// Per user when /CURRENTUSER says so, or the script's #Scope user does and
// /ALLUSERS does not overrule it; else for all users of the machine.
bool IsPerUserRun(unsigned nGivenOptions, bool bScriptPerUser);

// The dialogs' choice: the person's own start menu together with a
// destination inside the person's profile folder is an installation for
// that person alone.
bool IsPerUserDestination(const char* lpszDest, const char* lpszProfile);

// #Version's form: one to four dotted decimal numbers ("1", "2.10.3").
bool IsVersionText(const char* lpszVersion);

// Whether installing strNew over the installed strInstalled goes back to an
// older version. Missing parts count as 0 ("1.2" is "1.2.0.0"); when either
// is no version text nothing is known, and it is no downgrade.
bool IsDowngrade(const char* lpszNew, const char* lpszInstalled);
