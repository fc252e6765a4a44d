#ifdef _WIN32
#include "framework/os/System.h"

#include <stdlib.h>

namespace {

typedef DWORD (*TextGetter)(WCHAR* pBuffer, DWORD nSize, const WCHAR* pszName);

// Fills a growing buffer through pfnGet, which returns the units written,
// or the size needed when it does not fit (the module path: the size
// given, as it says only that it cut the text), and converts it.
bool GetText(CString& strText, TextGetter pfnGet, const WCHAR* pszName)
{
  strText.Empty();
  for (DWORD nSize = MAX_PATH;;) {
    WCHAR* pBuffer = static_cast<WCHAR*>(malloc(nSize * sizeof(WCHAR)));
    if (pBuffer == NULL)
      return false;
    const DWORD nUnits = pfnGet(pBuffer, nSize, pszName);
    if (nUnits < nSize)
      strText = Utf8FromWide(pBuffer, static_cast<int>(nUnits));
    free(pBuffer);
    if (nUnits < nSize)
      return nUnits != 0;
    if (nSize >= 0x8000)
      return false;
    nSize = nUnits > nSize ? nUnits : nSize * 2;
  }
}

DWORD ModulePath(WCHAR* p, DWORD n, const WCHAR*) { return ::GetModuleFileNameW(NULL, p, n); }
DWORD Environment(WCHAR* p, DWORD n, const WCHAR* pszName) { return ::GetEnvironmentVariableW(pszName, p, n); }
DWORD SystemFolder(WCHAR* p, DWORD n, const WCHAR*) { return ::GetSystemDirectoryW(p, n); }
DWORD WindowsFolder(WCHAR* p, DWORD n, const WCHAR*) { return ::GetSystemWindowsDirectoryW(p, n); }

}  // namespace

bool GetModulePath(CString& strPath) { return GetText(strPath, ModulePath, NULL); }

bool GetEnvironmentText(const char* lpszName, CString& strText)
{
  return GetText(strText, Environment, CWideText(lpszName));
}

bool GetSystemFolder(CString& strPath) { return GetText(strPath, SystemFolder, NULL); }

bool GetWindowsFolder(CString& strPath) { return GetText(strPath, WindowsFolder, NULL); }

// The program's name is the first word, quoted or not; the arguments start
// behind it and the blanks that follow. Read in UTF-16, so that a name with
// letters beyond ASCII is passed over whole.
CString GetArguments()
{
  const WCHAR* p = ::GetCommandLineW();
  if (*p == L'"') {
    ++p;
    while (*p != L'\0' && *p != L'"')
      ++p;
    if (*p == L'"')
      ++p;
  } else {
    while (*p != L'\0' && *p != L' ' && *p != L'\t')
      ++p;
  }
  while (*p == L' ' || *p == L'\t')
    ++p;
  return Utf8FromWide(p);
}

bool EqualNoCase(const char* lpszA, const char* lpszB)
{
  return ::CompareStringOrdinal(CWideText(lpszA), -1, CWideText(lpszB), -1, TRUE) == CSTR_EQUAL;
}
#endif
