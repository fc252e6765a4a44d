#include "common/InstallNames.h"

#include <string.h>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Windows drops trailing dots and blanks of a path component, so ". ." and
// "..." climb out just as ".." does.
bool ClimbsOut(const char* pszBegin, const char* pszEnd)
{
  int nDots = 0;
  for (const char* p = pszBegin; p < pszEnd; p++) {
    if (*p == '.')
      nDots++;
    else if (*p != ' ')
      return false;
  }
  return nDots >= 2;
}

bool IsCurrentFolder(const char* pszBegin, const char* pszEnd)
{
  return pszEnd == pszBegin || (pszEnd - pszBegin == 1 && *pszBegin == '.');
}

}  // namespace

bool IsInsideInstallation(const char* lpszName)
{
  if (lpszName[0] == 0 || IsSeparator(lpszName[0]) || strchr(lpszName, ':'))
    return false;
  bool bNamesSomething = false;
  const char* pszBegin = lpszName;
  for (;;) {
    const char* pszEnd = pszBegin;
    while (*pszEnd && !IsSeparator(*pszEnd))
      pszEnd++;
    if (ClimbsOut(pszBegin, pszEnd))
      return false;
    if (!IsCurrentFolder(pszBegin, pszEnd))
      bNamesSomething = true;
    if (!*pszEnd)
      break;
    pszBegin = pszEnd + 1;
  }
  return bNamesSomething;
}

CString CurrentVersionKey(const char* lpszSubkey)
{
  CString strKey(kUninstallKey, static_cast<int>(sizeof(kUninstallKey) - sizeof("Uninstall\\")));
  strKey += lpszSubkey;
  return strKey;
}

bool IsRegistrableAppName(const char* lpszAppName) { return lpszAppName[0] != 0 && strchr(lpszAppName, '\\') == NULL; }

CString UninstallerPathOf(const char* lpszCommand)
{
  if (lpszCommand[0] != '"')
    return lpszCommand;
  const char* pszEnd = strchr(lpszCommand + 1, '"');
  return pszEnd ? CString(lpszCommand + 1, static_cast<int>(pszEnd - lpszCommand - 1)) : CString(lpszCommand + 1);
}
