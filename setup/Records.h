// Rows of setup's tables: one archive entry of the file table, and one
// shortcut of the script's shortcut lists.
#pragma once
#include <stdint.h>

struct FileEntry
{
  char name[260];  // entry name, backslash-separated, relative to the destination
  int32_t size;    // uncompressed size in bytes
};

struct ShortcutEntry
{
  char target[256];     // target, relative to the destination
  char arguments[260];  // command-line arguments, empty when none
  char caption[256];    // link file name (without ".lnk") and description
  char linkPath[260];   // full path of the link file, filled when it is created
};
