// The system's other calls that take or give a name or a text: the
// program's own path and arguments, the environment, the Windows folders,
// message boxes, font resources and case-blind comparisons of names. Texts
// are the programs' own (UTF-8); the calls take and give UTF-16.
//
// Failure convention: true when the whole text was had; a failed call
// leaves its output empty.
//
// The small calls are inlined where they are used, as the bare calls were:
// a program imports only what it calls.
#pragma once
#include <windows.h>

#include "framework/String.h"
#include "framework/os/Unicode.h"

#define SYSTEM_CALL inline __attribute__((noinline))

// This program's own file, of any length.
bool GetModulePath(CString& strPath);
// The arguments behind the program's name on its command line.
CString GetArguments();
// The environment variable lpszName.
bool GetEnvironmentText(const char* lpszName, CString& strText);
// The system folder (system32, or syswow64 for a 32-bit program on 64-bit
// Windows) and the Windows folder.
bool GetSystemFolder(CString& strPath);
bool GetWindowsFolder(CString& strPath);

// A modal message box; the button pressed.
SYSTEM_CALL int ShowMessageBox(HWND hOwner, const char* lpszText, const char* lpszCaption, UINT nType)
{
  const CWideText text(lpszText);
  if (lpszCaption == NULL)
    return ::MessageBoxW(hOwner, text, NULL, nType);
  return ::MessageBoxW(hOwner, text, CWideText(lpszCaption), nType);
}

// The font file lpszPath as a resource of this session; false when the
// system takes no font from it.
SYSTEM_CALL bool AddFontFile(const char* lpszPath) { return ::AddFontResourceW(CWidePath(lpszPath)) > 0; }
// Takes such a resource back; false when the session had none from it.
SYSTEM_CALL bool RemoveFontFile(const char* lpszPath) { return ::RemoveFontResourceW(CWidePath(lpszPath)) != FALSE; }

// The two texts are equal but for the case of their letters, as Windows
// compares file names: letter by letter, no linguistic rules.
bool EqualNoCase(const char* lpszA, const char* lpszB);
