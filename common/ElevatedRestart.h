// The second start with administrator rights that setup and the
// uninstaller make of themselves (NeedsElevation says when).
#pragma once
#include <windows.h>

class CInstallLog;

// Starts this program again elevated, with "/ELEVATED" in front of
// lpszArgs, and waits for it. The log is let go of for that run, which
// writes on in it. true with that run's exit code in nExitCode; refused,
// false, and the log (lpszLogPath, NULL without one) is opened again and
// says why. lpszWho names the program in the log ("setup").
bool RunAgainElevated(CInstallLog& log, const char* lpszLogPath, const char* lpszWho, const char* lpszArgs,
                      DWORD& nExitCode);
