// What is decided before anything is installed, once, by the dialogs or by
// the command line of an unattended run: the pipeline takes it as values.
#pragma once
#include "framework/afx.h"

struct InstallChoices
{
  CString strDestDir;              // the destination folder, which exists
  bool bMadeDestDir = false;       // setup made it (it was not there before)
  bool bMadeProgramGroup = false;  // setup made the program group (it was not there before)
  CString strProgramGroup;         // the program group's folder, which exists
  int nScope = 0;                  // the start menu it lies in (kScopeAllUsers, kScopeCurrentUser)
  // For the person who runs setup alone: the entry in the list of
  // installed programs and the fonts below HKEY_CURRENT_USER, nothing
  // machine-wide.
  bool bPerUser = false;
};
