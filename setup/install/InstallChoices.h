// What is decided before anything is installed, once, by the dialogs or by
// the command line of an unattended run: the pipeline takes it as values.
#pragma once
#include "framework/afx.h"

struct InstallChoices
{
  CString strDestDir;       // the destination folder, which exists
  bool bMadeDestDir;        // setup made it (it was not there before)
  CString strProgramGroup;  // the program group's folder, which exists
  bool bMadeProgramGroup;   // setup made it (it was not there before)
  int nScope;               // the start menu it lies in (kScopeAllUsers, kScopeCurrentUser)
};
