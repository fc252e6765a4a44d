// Rows of setup's tables: one archive entry of the file table, and one
// shortcut of the script's shortcut lists. Texts are UTF-8, of any length.
#pragma once
#include <stdint.h>

#include "framework/String.h"

struct FileEntry
{
  CString name;  // entry name, backslash-separated, relative to the destination
  int32_t size;  // uncompressed size in bytes
};

struct ShortcutEntry
{
  CString target;     // target, relative to the destination
  CString arguments;  // command-line arguments, empty when none
  CString caption;    // link file name (without ".lnk") and description
  CString linkPath;   // full path of the link file, filled when it is created
};
