#include "uninstall/Registry.h"

#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "framework/os/RegKey.h"
#include "framework/os/System.h"
#include "uninstall/Remains.h"
#include "uninstall/UninstallLog.h"

namespace {

void SetString(CRegKey& key, const char* lpszName, const CString& strData)
{
  const bool bSet = key.SetString(lpszName, strData);
  g_log.Write(bSet ? "RunOnce value" : "RunOnce value not written", CString(lpszName) + " = " + strData);
}

// COMSPEC; unset, the system's own cmd.exe: a command that begins with
// " /c" would never run.
CString GetCommandInterpreter()
{
  CString strPath;
  if (GetEnvironmentText("COMSPEC", strPath) && !strPath.IsEmpty())
    return strPath;
  if (!GetSystemFolder(strPath))
    return "cmd.exe";
  // A root directory ends in its backslash already.
  if (strPath[strPath.GetLength() - 1] != '\\')
    strPath += '\\';
  return strPath + "cmd.exe";
}

// The application's key path below HKEY_LOCAL_MACHINE. false for a name
// that cannot name a key of its own (see IsRegistrableAppName).
bool FormatUninstallKey(const char* lpszAppName, CString& strKey)
{
  if (!IsRegistrableAppName(lpszAppName))
    return false;
  strKey = CString(kUninstallKey) + lpszAppName;
  return true;
}

}  // namespace

bool IsGermanInstallation(const char* lpszAppName, const char* lpszInstallDir, const char* lpszOwnName)
{
  CString strKey;
  CRegKey key;
  if (!FormatUninstallKey(lpszAppName, strKey) ||
      key.Open(HKEY_LOCAL_MACHINE, strKey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
    return false;
  CString strCommand;
  DWORD nLanguage = 0;
  DWORD nType = 0;
  return key.QueryText("UninstallString", strCommand, &nType) && nType == REG_SZ &&
         EqualNoCase(strCommand, JoinPath(lpszInstallDir, lpszOwnName)) && key.QueryDword("Language", nLanguage) &&
         PRIMARYLANGID((LANGID)nLanguage) == LANG_GERMAN;
}

void DeleteUninstallKey(const char* lpszAppName, RemainList& remains)
{
  CString strKey;
  if (!FormatUninstallKey(lpszAppName, strKey))
    return;
  const LONG nResult = CRegKey::DeleteKey(HKEY_LOCAL_MACHINE, strKey);
  const CString strLogKey = "HKEY_LOCAL_MACHINE\\" + strKey;
  if (nResult == ERROR_SUCCESS)
    g_log.Write("registry key deleted", strLogKey);
  else if (nResult != ERROR_FILE_NOT_FOUND)
    NoteRemain(remains, strLogKey);
}

void ScheduleSelfRemoval(const char* lpszAppName, const char* lpszInstallDir)
{
  // Value name suffix, and the command around the quoted folder.
  static const struct
  {
    const char* pszSuffix;
    const char* pszCommand;
    const char* pszTail;
  } kCommands[] = {{"_DelUninstallExe", " /c del \"", "\\uninstall.exe\""}, {"_RmDir", " /c rd \"", "\""}};
  const CString strComspec = GetCommandInterpreter();
  CRegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, CurrentVersionKey("RunOnce"), MAXIMUM_ALLOWED) != ERROR_SUCCESS)
    return;
  for (const auto& command : kCommands)
    SetString(key, CString(lpszAppName) + command.pszSuffix,
              strComspec + command.pszCommand + lpszInstallDir + command.pszTail);
}
