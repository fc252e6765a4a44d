// What the start-menu dialog decides, apart from its window: the Programs
// folder of a scope, and the checks and creation behind OK. The dialog and
// an unattended installation both decide with these. The proposal is the
// application's name, relative to the Programs folder.
#pragma once
#include "framework/String.h"

// The combo box's entries; the dialog starts with the current user's.
const int kScopeAllUsers = 0;
const int kScopeCurrentUser = 1;
const int kDefaultScope = kScopeCurrentUser;
// The entry's text: "All Users" or "Current User".
const char* ScopeName(int nScope);

// The Programs folder of the scope ("Common Programs" of the machine or
// the user's "Programs") into strFolder; false, with strFolder unchanged,
// when it cannot be read.
bool ReadProgramsFolder(int nScope, CString& strFolder);

enum GroupVerdict
{
  kGroupAccepted,  // created, or an existing folder that is reused
  kGroupNoProgramsFolder,
  kGroupNotInStartMenu,
  kGroupTooLong,
  kGroupPathNotFound,
  kGroupFileExists,
};

// OK's checks in its order for the name lpszTyped below lpszProgramsDir
// (empty when unknown): a Programs folder, a name that stays inside it,
// the length; then strFolder = the joined path, created one level deep.
// bMade: this call made the folder (it was not there before).
GroupVerdict CreateProgramGroup(const char* lpszProgramsDir, const char* lpszTyped, CString& strFolder, bool& bMade);

// The message of a refusal as the dialog shows it.
const char* DescribeGroupRefusal(GroupVerdict verdict);
