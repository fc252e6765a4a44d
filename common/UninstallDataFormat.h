// uninstall.dat as it lies on disk, for its writer (setup) and its readers
// (setup and the uninstaller). Written front to back in one pass:
//   magic "SS02" (or "SS01", see below)
//   the application name, NUL-terminated
//   int32 count, then that many installed names (relative to the
//     installation folder; a folder entry ends in a backslash), each NUL-terminated
//   int32 count, then the full paths of the shortcut files
//   int32 count, then the generated names (relative, as the script gives them)
//   int32 flags (UNINSTALL_FLAG_...), the trailer: optional
// Integers are little-endian. A file that ends after a complete list reads
// as if the later lists were empty, and one that ends after the third as
// if its flags were 0: files of releases before the trailer read as they
// always did. A reader ignores anything behind the flags, and the bits it
// does not know.
//
// "SS02": texts are UTF-8, of any length. setup writes this form.
// "SS01": texts are bytes of the ANSI code page, and a reader takes a name
// of up to 254 bytes and paths of up to 258 whole (its slots of 256 and
// 260 bytes less the NUL); the rest of a longer text is skipped. Written
// by setup before names were UTF-8; both programs still read it.
#pragma once

// The four bytes the file starts with.
inline constexpr char kUninstallMagic[4] = {'S', 'S', '0', '2'};
inline constexpr char kUninstallMagicAnsi[4] = {'S', 'S', '0', '1'};

// The trailer's bits.
enum
{
  // The folder of the first shortcut was there before setup: the
  // installation did not make it, so neither its removal nor a later
  // setup's clean-up takes it away.
  UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED = 1
};

// The first form's slots: the application name's and each path's, with
// the NUL.
enum
{
  UNINSTALL_PATH_SIZE = 260,
  UNINSTALL_NAME_SIZE = 256
};
