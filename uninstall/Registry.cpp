#include "uninstall/Registry.h"

#include "common/InstallNames.h"
#include "uninstall/UninstallLog.h"

#include <windows.h>
#include <string.h>

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

void SetString(HKEY hKey, const char* lpszName, const char* lpszData)
{
  bool bSet = RegSetValueExA(hKey, lpszName, 0, REG_SZ, (const BYTE*)lpszData, (DWORD)strlen(lpszData) + 1) ==
              ERROR_SUCCESS;
  // wsprintfA writes at most 1024 bytes: the name and the command fit.
  char szLine[1024];
  wsprintfA(szLine, "%s = %s", lpszName, lpszData);
  g_log.Write(bSet ? "RunOnce value" : "RunOnce value not written", szLine);
}

// COMSPEC; unset, or longer than the buffer (which then holds nothing
// defined), the system's own cmd.exe: a command that begins with " /c"
// would never run.
void GetCommandInterpreter(char (&szPath)[MAX_PATH])
{
  DWORD nLength = GetEnvironmentVariableA("COMSPEC", szPath, MAX_PATH);
  if (nLength > 0 && nLength < MAX_PATH)
    return;
  const char kCmd[] = "\\cmd.exe";
  UINT nDir = GetSystemDirectoryA(szPath, MAX_PATH);
  if (nDir == 0 || nDir + sizeof(kCmd) > MAX_PATH)
    nDir = 0;
  else if (szPath[nDir - 1] == '\\')
    nDir--;  // a root directory
  strcpy(szPath + nDir, nDir ? kCmd : kCmd + 1);
}

// The REG_SZ value into a buffer of nSize bytes; false when it is missing,
// of another type or does not fit.
bool QueryString(HKEY hKey, const char* lpszName, char* pszValue, DWORD nSize)
{
  DWORD nType = 0;
  DWORD nBytes = nSize - 1;
  if (RegQueryValueExA(hKey, lpszName, NULL, &nType, (BYTE*)pszValue, &nBytes) != ERROR_SUCCESS || nType != REG_SZ)
    return false;
  pszValue[nBytes] = 0;
  return true;
}

} // namespace

bool IsGermanInstallation(const char* lpszAppName, const char* lpszInstallDir, const char* lpszOwnName)
{
  if (!IsRegistrableAppName(lpszAppName))
    return false;
  char szKey[sizeof(kUninstallKey) + 256];
  wsprintfA(szKey, "%s%s", kUninstallKey, lpszAppName);
  HKEY hKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, szKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
    return false;
  char szCommand[MAX_PATH + 1];
  char szOwnPath[MAX_PATH + MAX_PATH];
  wsprintfA(szOwnPath, "%s\\%s", lpszInstallDir, lpszOwnName);
  DWORD nLanguage = 0;
  DWORD nType = 0;
  DWORD nSize = sizeof(nLanguage);
  bool bGerman = QueryString(hKey, "UninstallString", szCommand, sizeof(szCommand)) &&
                 lstrcmpiA(szCommand, szOwnPath) == 0 &&
                 RegQueryValueExA(hKey, "Language", NULL, &nType, (BYTE*)&nLanguage, &nSize) == ERROR_SUCCESS &&
                 nType == REG_DWORD && PRIMARYLANGID((LANGID)nLanguage) == LANG_GERMAN;
  RegCloseKey(hKey);
  return bGerman;
}

void DeleteUninstallKey(const char* lpszAppName)
{
  if (!IsRegistrableAppName(lpszAppName))
    return;
  char szKey[sizeof(kUninstallKey) + 256];
  wsprintfA(szKey, "%s%s", kUninstallKey, lpszAppName);
  bool bDeleted = RegDeleteKeyA(HKEY_LOCAL_MACHINE, szKey) == ERROR_SUCCESS;
  char szLine[sizeof(szKey) + 32];
  wsprintfA(szLine, "HKEY_LOCAL_MACHINE\\%s", szKey);
  g_log.Write(bDeleted ? "registry key deleted" : "registry key not deleted", szLine);
}

void ScheduleSelfRemoval(const char* lpszAppName, const char* lpszInstallDir)
{
  char szComspec[MAX_PATH];
  GetCommandInterpreter(szComspec);

  HKEY hKey;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kRunOnceKey, &hKey) != ERROR_SUCCESS)
    return;
  char szName[256 + 32];
  char szData[260 + 260 + 64];
  wsprintfA(szName, "%s_DelUninstallExe", lpszAppName);
  wsprintfA(szData, "%s /c del \"%s\\uninstall.exe\"", szComspec, lpszInstallDir);
  SetString(hKey, szName, szData);
  wsprintfA(szName, "%s_RmDir", lpszAppName);
  wsprintfA(szData, "%s /c rd \"%s\"", szComspec, lpszInstallDir);
  SetString(hKey, szName, szData);
  RegCloseKey(hKey);
}
