// The Shell Folders key, where the shell names its own folders (the start
// menus' programs, the Startup folder, the desktop, the fonts): setup puts
// its links and fonts there, and the uninstaller leaves those folders be.
#pragma once
#include <windows.h>

#include "framework/String.h"

// The longest folder setup takes from the key, in characters: the shell
// makes links only within its path limit.
const int kShellPathChars = MAX_PATH - 1;

// The value lpszValueName of the key below hRoot, opened with nAccess.
// false when the key or the value cannot be read.
bool ReadShellFolderValue(HKEY hRoot, const char* lpszValueName, REGSAM nAccess, CString& strValue);

// The folder of the value lpszValueName below hRoot. TRUE when it cannot be
// read, is empty (it would name no folder at all) or is longer than the
// shell takes; strFolder is then unchanged.
BOOL GetShellFolder(const char* lpszValueName, CString& strFolder, HKEY hRoot);
