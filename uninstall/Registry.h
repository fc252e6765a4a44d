// The uninstaller's registry work: the application's Uninstall entry and
// the RunOnce commands that remove what can't go while it runs.
//
// Failure convention of the uninstaller: the program's outcome is its exit
// code (WinMain); its steps log what they did and report nothing else, and
// what cannot be removed is found afterwards (Remains.h).
#pragma once

struct RemainList;

// Deletes HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<name>".
// An empty name, or one with a backslash, is left alone: the key path would
// then name the Uninstall key of every program, or a key inside another one.
// A key that is there and cannot be deleted remained (added to remains); one
// that is not there is no failure.
void DeleteUninstallKey(const char* lpszAppName, RemainList& remains);

// Writes "<name>_DelUninstallExe" and "<name>_RmDir" under the existing
// HKLM RunOnce key; nothing when that key can't be opened. The commands run
// COMSPEC, or <system directory>\cmd.exe when it is unset.
void ScheduleSelfRemoval(const char* lpszAppName, const char* lpszInstallDir);

// TRUE when the application's Uninstall entry belongs to this program (its
// UninstallString names <lpszInstallDir>\<lpszOwnName>) and its Language
// value, which setup writes, is German. Without them the uninstaller
// speaks English.
bool IsGermanInstallation(const char* lpszAppName, const char* lpszInstallDir, const char* lpszOwnName);
