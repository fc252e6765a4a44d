// The uninstaller's registry work: the application's Uninstall entry and
// the RunOnce commands that remove what can't go while it runs.
//
// Failure convention of the uninstaller: the program's outcome is its exit
// code (WinMain); its steps log what they did and report nothing else, and
// what cannot be removed is found afterwards (Remains.h).
#pragma once
#include <windows.h>

struct RemainList;

// The root whose entry "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<name>"
// belongs to this program (its UninstallString, quoted or bare, names
// <lpszInstallDir>\<lpszOwnName>): HKEY_CURRENT_USER's, which a per-user
// installation writes, before HKEY_LOCAL_MACHINE's. With neither, and for
// a name that cannot have a key of its own, HKEY_LOCAL_MACHINE, as
// installations had it before. bGerman: that entry's Language value, which
// setup writes, is German; without a matching entry the uninstaller speaks
// English.
HKEY FindUninstallRoot(const char* lpszAppName, const char* lpszInstallDir, const char* lpszOwnName, bool& bGerman);

// Deletes the application's entry below hRoot. An empty name, or one with a
// backslash, is left alone: the key path would then name the Uninstall key
// of every program, or a key inside another one. A key that is there and
// cannot be deleted remained (added to remains); one that is not there is
// no failure.
void DeleteUninstallKey(HKEY hRoot, const char* lpszAppName, RemainList& remains);

// Writes "<name>_DelUninstallExe" and "<name>_RmDir" under hRoot's RunOnce
// key. HKEY_CURRENT_USER's is made when it is missing (a user's profile
// need not have one); HKEY_LOCAL_MACHINE's must exist, else nothing is
// written. The commands run COMSPEC, or <system directory>\cmd.exe when it
// is unset.
void ScheduleSelfRemoval(HKEY hRoot, const char* lpszAppName, const char* lpszInstallDir);
