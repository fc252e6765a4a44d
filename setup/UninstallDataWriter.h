// Writes uninstall.dat: the record of one installation that a later setup
// and the uninstaller read back.
#pragma once
#include "common/UninstallData.h"
#include "setup/SetupData.h"

// Writes the file at lpszPath from the application name, the file table, the
// link paths of the three shortcut lists and the generated files, and the
// trailer's flags. TRUE when the file cannot be created or written; the
// message is the caller's.
// nFlags: the trailer (UNINSTALL_FLAG_...), which speaks of the folder of
// the record's first link: the program group's, or pEarlier's first link's
// when the record lists only pEarlier's links.
// For an installation that was stopped part-way: nFiles, the rows of the
// file table that setup extracted or began to write; the rest never reached
// the destination, and a file there by such a name is not the installation's.
// pEarlier, the record of an earlier installation of the same application in
// the same place, whose names the new record keeps too, so that nothing it
// installed is lost to the uninstaller.
BOOL WriteUninstallData(const CSetupData& data, const char* lpszPath, int32_t nFlags,
                        const UninstallData* pEarlier = NULL, int32_t nFiles = -1);
