// The options of an unattended run, as setup and the uninstaller read them
// from their command line (UTF-8, from the wide command line): /S,
// /ALLUSERS, /CURRENTUSER, /GROUP=name, /LOG=file, /ALLOWDOWNGRADE,
// /ELEVATED and /D=path.
#pragma once
#include "framework/String.h"

enum
{
  CMDLINE_VALUE_CHARS = 259,  // a value's longest, in characters: a path's limit
  CMDLINE_ERROR_SIZE = 160
};

// The options a program knows; ParseCommandLine refuses the others.
enum
{
  OPT_SILENT = 1,           // /S
  OPT_ALLUSERS = 2,         // /ALLUSERS
  OPT_CURRENTUSER = 4,      // /CURRENTUSER
  OPT_GROUP = 8,            // /GROUP=name
  OPT_LOG = 16,             // /LOG=file
  OPT_DEST = 32,            // /D=path, last: it takes the rest of the line
  OPT_ALLOWDOWNGRADE = 64,  // /ALLOWDOWNGRADE: an older version may replace a newer one
  OPT_ELEVATED = 128,       // /ELEVATED: the program started itself with administrator rights
  OPT_SETUP =
      OPT_SILENT | OPT_ALLUSERS | OPT_CURRENTUSER | OPT_GROUP | OPT_LOG | OPT_DEST | OPT_ALLOWDOWNGRADE | OPT_ELEVATED,
  OPT_UNINSTALL = OPT_SILENT | OPT_LOG | OPT_ELEVATED
};

struct CommandLine
{
  unsigned nGiven;   // the OPT_ bits of the options present
  CString strGroup;  // each empty unless its option is given
  CString strLog;
  CString strDest;
  char szError[CMDLINE_ERROR_SIZE];  // why a line was not understood
};

// Reads the arguments (the command line without the program's name).
// Words are separated by blanks or tabs; a double quote starts or ends a
// quoted part that keeps its blanks, and is itself dropped. Option names
// are case-insensitive. /D= must come last: its value is the rest of the
// line, blanks included, without double quotes and trailing blanks.
// false, with the reason in szError, for an unknown option, a word that is
// no option, an option given twice, /ALLUSERS with /CURRENTUSER, an empty
// value or one longer than 259 characters (UTF-16 units). The rest of the line is still
// read for /S and /LOG=, so that the caller knows how and where to report
// the error.
bool ParseCommandLine(const char* lpszArgs, unsigned nKnown, CommandLine& line);
