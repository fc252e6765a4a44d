// The uninstaller's registry work: the application's Uninstall entry and
// the RunOnce commands that remove what can't go while it runs.
#pragma once

// Deletes HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<name>".
// An empty name, or one with a backslash, is left alone: the key path would
// then name the Uninstall key of every program, or a key inside another one.
void DeleteUninstallKey(const char* lpszAppName);

// Writes "<name>_DelUninstallExe" and "<name>_RmDir" under the existing
// HKLM RunOnce key; nothing when that key can't be opened.
void ScheduleSelfRemoval(const char* lpszAppName, const char* lpszInstallDir);
