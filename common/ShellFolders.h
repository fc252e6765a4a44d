// The Shell Folders key, where the shell names its own folders (the start
// menus' programs, the Startup folder, the desktop, the fonts): setup puts
// its links and fonts there, and the uninstaller leaves those folders be.
#pragma once
#include <windows.h>

enum
{
  SHELL_FOLDER_SIZE = 260  // a folder's buffer: the longest path and its NUL
};

// The value lpszValueName of the key below hRoot, opened with nAccess, into
// szValue, always terminated (one byte beyond a folder's buffer, for a
// value of 260 characters stored without its NUL). false, with szValue
// undefined, when the key or the value cannot be read or the value is
// longer.
bool ReadShellFolderValue(HKEY hRoot, const char* lpszValueName, REGSAM nAccess,
                          char (&szValue)[SHELL_FOLDER_SIZE + 1]);

// The folder of the value lpszValueName below hRoot into lpszFolder, a
// buffer of SHELL_FOLDER_SIZE bytes. TRUE when it cannot be read, is empty
// (it would name no folder at all) or does not fit; the buffer is then
// unchanged.
BOOL GetShellFolder(const char* lpszValueName, char* lpszFolder, HKEY hRoot);
