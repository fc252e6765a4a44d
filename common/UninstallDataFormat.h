// uninstall.dat as it lies on disk, for its writer (setup) and its readers
// (setup and the uninstaller). Written front to back in one pass:
//   magic "SS01"
//   the application name, NUL-terminated
//   int32 count, then that many installed names (relative to the
//     installation folder; a folder entry ends in a backslash), each NUL-terminated
//   int32 count, then the full paths of the shortcut files
//   int32 count, then the generated names (relative, as the script gives them)
// Integers are little-endian; texts are bytes of the ANSI code page. Nothing
// follows; a reader ignores anything that does, and a file that ends after
// a complete list reads as if the later lists were empty.
#pragma once

// The four bytes the file starts with.
inline constexpr char kUninstallMagic[4] = {'S', 'S', '0', '1'};

// The readers' slots: the application name's and each path's, with the NUL.
enum
{
  UNINSTALL_PATH_SIZE = 260,
  UNINSTALL_NAME_SIZE = 256
};

// What a reader takes whole from the file: one byte less than the slot
// holds, and then the NUL. The writer cuts a longer application name and
// leaves a longer path out of its list, since a cut path could name some
// other file.
const unsigned kMaxRecordedAppName = UNINSTALL_NAME_SIZE - 2;
const unsigned kMaxRecordedPath = UNINSTALL_PATH_SIZE - 2;
