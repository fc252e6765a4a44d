// Writes uninstall.dat: the record of one installation that a later setup
// and the uninstaller read back.
#pragma once
#include "setup/SetupData.h"

// Writes the file at lpszPath from the application name, the file table, the
// link paths of the three shortcut lists and the generated files. TRUE when
// the file cannot be created or written; the message is the caller's.
BOOL WriteUninstallData(const CSetupData& data, const char* lpszPath);
