#include "uninstall/Registry.h"

#include "common/InstallNames.h"
#include "framework/os/RegKey.h"
#include "framework/os/System.h"
#include "uninstall/UninstallLog.h"

#include <windows.h>
#include <string.h>

namespace {

const char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

void SetString(CRegKey& key, const char* lpszName, const char* lpszData)
{
  bool bSet = key.SetString(lpszName, lpszData);
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
  if (GetEnvironmentText("COMSPEC", szPath, MAX_PATH))
    return;
  const char kCmd[] = "\\cmd.exe";
  size_t nDir = GetSystemFolder(szPath, MAX_PATH) ? strlen(szPath) : 0;
  if (nDir + sizeof(kCmd) > MAX_PATH)
    nDir = 0;
  else if (szPath[nDir - 1] == '\\')
    nDir--;  // a root directory
  strcpy(szPath + nDir, nDir ? kCmd : kCmd + 1);
}

// The application's key path below HKEY_LOCAL_MACHINE. false for a name
// that cannot name a key of its own (see IsRegistrableAppName).
typedef char UninstallKeyPath[sizeof(kUninstallKey) + 256];
bool FormatUninstallKey(const char* lpszAppName, UninstallKeyPath& szKey)
{
  if (!IsRegistrableAppName(lpszAppName))
    return false;
  wsprintfA(szKey, "%s%s", kUninstallKey, lpszAppName);
  return true;
}

}  // namespace

bool IsGermanInstallation(const char* lpszAppName, const char* lpszInstallDir, const char* lpszOwnName)
{
  UninstallKeyPath szKey;
  CRegKey key;
  if (!FormatUninstallKey(lpszAppName, szKey) || key.Open(HKEY_LOCAL_MACHINE, szKey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
    return false;
  char szCommand[MAX_PATH + 1];
  char szOwnPath[MAX_PATH + MAX_PATH];
  wsprintfA(szOwnPath, "%s\\%s", lpszInstallDir, lpszOwnName);
  DWORD nLanguage = 0;
  DWORD nType = 0;
  return key.QueryText("UninstallString", szCommand, sizeof(szCommand), &nType) && nType == REG_SZ &&
         EqualNoCase(szCommand, szOwnPath) && key.QueryDword("Language", nLanguage) &&
         PRIMARYLANGID((LANGID)nLanguage) == LANG_GERMAN;
}

void DeleteUninstallKey(const char* lpszAppName)
{
  UninstallKeyPath szKey;
  if (!FormatUninstallKey(lpszAppName, szKey))
    return;
  bool bDeleted = CRegKey::DeleteKey(HKEY_LOCAL_MACHINE, szKey);
  char szLine[sizeof(szKey) + 32];
  wsprintfA(szLine, "HKEY_LOCAL_MACHINE\\%s", szKey);
  g_log.Write(bDeleted ? "registry key deleted" : "registry key not deleted", szLine);
}

void ScheduleSelfRemoval(const char* lpszAppName, const char* lpszInstallDir)
{
  char szComspec[MAX_PATH];
  GetCommandInterpreter(szComspec);

  CRegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kRunOnceKey, MAXIMUM_ALLOWED) != ERROR_SUCCESS)
    return;
  char szName[256 + 32];
  char szData[260 + 260 + 64];
  wsprintfA(szName, "%s_DelUninstallExe", lpszAppName);
  wsprintfA(szData, "%s /c del \"%s\\uninstall.exe\"", szComspec, lpszInstallDir);
  SetString(key, szName, szData);
  wsprintfA(szName, "%s_RmDir", lpszAppName);
  wsprintfA(szData, "%s /c rd \"%s\"", szComspec, lpszInstallDir);
  SetString(key, szName, szData);
}
