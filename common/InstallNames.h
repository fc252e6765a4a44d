// Which recorded names setup and the uninstaller may touch: only those that
// stay inside the installation directory.
#pragma once
#include "framework/String.h"

// TRUE when a name from uninstall.dat stays inside the install directory:
// relative, without a drive or a stream (no ':'), no component that climbs
// out ("..", or dots and blanks that Windows reads as such), and not the
// install directory itself ("", ".", ".\").
bool IsInsideInstallation(const char* lpszName);

// The system's Uninstall key below HKEY_LOCAL_MACHINE, with the backslash
// that the application's name follows: setup writes the entry, its
// destination dialog reads it, the uninstaller deletes it.
inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The key lpszSubkey below "SOFTWARE\Microsoft\Windows\CurrentVersion\" (of
// either root), taken from kUninstallKey's text: the small uninstaller
// holds that text once.
CString CurrentVersionKey(const char* lpszSubkey);

// TRUE when an application name can name its own key below the system's
// Uninstall key: not empty (that would be the Uninstall key itself) and
// without a backslash (that would reach into another key).
bool IsRegistrableAppName(const char* lpszAppName);

// The uninstaller's path in an UninstallString: setup writes it in double
// quotes (a path with blanks unquoted lets Windows try "C:\Program.exe"
// first); installations made before wrote it bare, and read the same.
CString UninstallerPathOf(const char* lpszCommand);
