// The journal of an installation in progress, shared by setup (which keeps
// it and rolls back by it) and the uninstaller (which refuses to run over
// one that was never finished).
//
// It lives in a folder of the destination, so that what an entry replaces
// is moved aside with a rename on the same volume:
//   <destination>\~setup-rollback\journal.txt
//   <destination>\~setup-rollback\<n>          the files moved aside
// journal.txt holds UTF-8 lines "tag\tfield\tfield...\r\n", written and
// flushed one by one before the change they record. The first line is
//   setup\t<the installer's path>\t<the application's name>
// A run that ends (installed, or rolled back) deletes the folder; a folder
// still there is an unfinished installation.
#pragma once
#include "framework/String.h"

extern const char kRollbackFolderName[];  // "~setup-rollback"
extern const char kJournalFileName[];     // "journal.txt"

// The journal's path in a destination folder.
CString JournalPath(const char* lpszDestDir);

// Whether lpszDestDir holds an unfinished journal; strSetupPath gets the
// installer that kept it (empty when its first line is unreadable).
bool FindUnfinishedJournal(const char* lpszDestDir, CString& strSetupPath);
