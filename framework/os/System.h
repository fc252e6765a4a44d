// The system's other calls that take or give a name or a text: the
// program's own path, the environment, the Windows folders, message boxes,
// font resources and case-blind comparisons. Plain C++ (Win32), so that
// the uninstaller uses them as setup does.
//
// Failure convention: true when the whole text was had; a text that would
// not fit the buffer counts as not had (its buffer is then undefined).
//
// The calls are inlined where they are used, as the bare calls were: a
// program imports only what it calls.
#pragma once
#include <windows.h>

#define SYSTEM_CALL inline __attribute__((always_inline))

// Calls that return the length written, or the size needed when it does not fit.
SYSTEM_CALL bool FitsBuffer(UINT nLength, DWORD nSize) { return nLength != 0 && nLength < nSize; }

// This program's own file.
SYSTEM_CALL bool GetModulePath(char* pszPath, DWORD nSize)
{
  return FitsBuffer(::GetModuleFileNameA(NULL, pszPath, nSize), nSize);
}
// The environment variable lpszName.
SYSTEM_CALL bool GetEnvironmentText(const char* lpszName, char* pszText, DWORD nSize)
{
  return FitsBuffer(::GetEnvironmentVariableA(lpszName, pszText, nSize), nSize);
}
// The system folder (system32, or syswow64 for a 32-bit program on 64-bit
// Windows) and the Windows folder.
SYSTEM_CALL bool GetSystemFolder(char* pszPath, DWORD nSize)
{
  return FitsBuffer(::GetSystemDirectoryA(pszPath, nSize), nSize);
}
SYSTEM_CALL bool GetWindowsFolder(char* pszPath, DWORD nSize)
{
  return FitsBuffer(::GetSystemWindowsDirectoryA(pszPath, nSize), nSize);
}

// A modal message box; the button pressed.
SYSTEM_CALL int ShowMessageBox(HWND hOwner, const char* lpszText, const char* lpszCaption, UINT nType)
{
  return ::MessageBoxA(hOwner, lpszText, lpszCaption, nType);
}

// The font file lpszPath as a resource of this session; false when the
// system takes no font from it.
SYSTEM_CALL bool AddFontFile(const char* lpszPath) { return ::AddFontResourceA(lpszPath) > 0; }

// The two texts are equal but for the case of their letters, as Windows
// compares file names.
bool EqualNoCase(const char* lpszA, const char* lpszB);
