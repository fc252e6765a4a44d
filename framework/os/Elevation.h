// Administrator rights: whether this process has them, and a second start
// of a program with them (the "runas" verb, which asks the person).
#pragma once
#include <windows.h>

#include "framework/String.h"

// The process token is elevated (or the system knows no elevation, and it
// runs as an administrator anyway).
bool IsProcessElevated();

// Starts lpszProgram with lpszArgs elevated and waits for it to end.
// ERROR_SUCCESS with its exit code in nExitCode; else why it did not start
// (ERROR_CANCELLED: the person refused).
DWORD RunElevatedAndWait(const char* lpszProgram, const char* lpszArgs, DWORD& nExitCode);
