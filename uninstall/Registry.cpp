#include "uninstall/Registry.h"

#include "common/InstallNames.h"

#include <windows.h>
#include <string.h>

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

void SetString(HKEY hKey, const char* lpszName, const char* lpszData)
{
  RegSetValueExA(hKey, lpszName, 0, REG_SZ, (const BYTE*)lpszData, (DWORD)strlen(lpszData) + 1);
}

} // namespace

void DeleteUninstallKey(const char* lpszAppName)
{
  if (!IsRegistrableAppName(lpszAppName))
    return;
  char szKey[sizeof(kUninstallKey) + 256];
  wsprintfA(szKey, "%s%s", kUninstallKey, lpszAppName);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, szKey);
}

void ScheduleSelfRemoval(const char* lpszAppName, const char* lpszInstallDir)
{
  // Unset, or longer than the buffer (then the buffer holds nothing
  // defined): the commands start with the blank before "/c".
  char szComspec[260];
  DWORD nLength = GetEnvironmentVariableA("COMSPEC", szComspec, sizeof(szComspec));
  if (nLength == 0 || nLength >= sizeof(szComspec))
    szComspec[0] = 0;

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
