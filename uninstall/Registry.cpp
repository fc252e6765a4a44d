#include "uninstall/Registry.h"

#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "framework/os/RegKey.h"
#include "framework/os/System.h"
#include "uninstall/Remains.h"
#include "uninstall/UninstallLog.h"

namespace {

// The log line names the key with its root: a per-user uninstallation
// writes the user's RunOnce key.
void SetString(CRegKey& key, const char* lpszLogKey, const char* lpszName, const CString& strData)
{
  const bool bSet = key.SetString(lpszName, strData);
  g_log.Write(lpszLogKey, CString(lpszName) + (bSet ? " = " : " not written: ") + strData);
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

// The application's key path below either root. false for a name that
// cannot name a key of its own (see IsRegistrableAppName).
bool FormatUninstallKey(const char* lpszAppName, CString& strKey)
{
  if (!IsRegistrableAppName(lpszAppName))
    return false;
  strKey = CString(kUninstallKey) + lpszAppName;
  return true;
}

// Whether hRoot's entry lpszKey names lpszOwnPath as its uninstaller; then
// bGerman says whether its Language is German.
bool ReadOwnEntry(HKEY hRoot, const char* lpszKey, const char* lpszOwnPath, bool& bGerman)
{
  CRegKey key;
  CString strCommand;
  DWORD nType = 0;
  DWORD nLanguage = 0;
  if (key.Open(hRoot, lpszKey, KEY_QUERY_VALUE) != ERROR_SUCCESS ||
      !key.QueryText("UninstallString", strCommand, &nType) || nType != REG_SZ ||
      !EqualNoCase(UninstallerPathOf(strCommand), lpszOwnPath))
    return false;
  bGerman = key.QueryDword("Language", nLanguage) && PRIMARYLANGID((LANGID)nLanguage) == LANG_GERMAN;
  return true;
}

}  // namespace

HKEY FindUninstallRoot(const char* lpszAppName, const char* lpszInstallDir, const char* lpszOwnName, bool& bGerman)
{
  bGerman = false;
  CString strKey;
  if (FormatUninstallKey(lpszAppName, strKey)) {
    const CString strOwnPath = JoinPath(lpszInstallDir, lpszOwnName);
    if (ReadOwnEntry(HKEY_CURRENT_USER, strKey, strOwnPath, bGerman))
      return HKEY_CURRENT_USER;
    // The root of every other case: only the language depends on the match.
    ReadOwnEntry(HKEY_LOCAL_MACHINE, strKey, strOwnPath, bGerman);
  }
  return HKEY_LOCAL_MACHINE;
}

void DeleteUninstallKey(HKEY hRoot, const char* lpszAppName, RemainList& remains)
{
  CString strKey;
  if (!FormatUninstallKey(lpszAppName, strKey))
    return;
  const LONG nResult = CRegKey::DeleteKey(hRoot, strKey);
  const CString strLogKey = RootedKeyName(hRoot, strKey);
  if (nResult == ERROR_SUCCESS)
    g_log.Write("registry key deleted", strLogKey);
  else if (nResult != ERROR_FILE_NOT_FOUND)
    NoteRemain(remains, strLogKey);
}

void ScheduleSelfRemoval(HKEY hRoot, const char* lpszAppName, const char* lpszInstallDir)
{
  // Value name suffix, and the command around the quoted folder.
  static const struct
  {
    const char* pszSuffix;
    const char* pszCommand;
    const char* pszTail;
  } kCommands[] = {{"_DelUninstallExe", " /c del \"", "\\uninstall.exe\""}, {"_RmDir", " /c rd \"", "\""}};
  const CString strComspec = GetCommandInterpreter();
  const CString strRunOnce = CurrentVersionKey("RunOnce");
  CRegKey key;
  const LONG nResult = hRoot == HKEY_CURRENT_USER ? key.Create(hRoot, strRunOnce, KEY_SET_VALUE)
                                                  : key.Open(hRoot, strRunOnce, MAXIMUM_ALLOWED);
  if (nResult != ERROR_SUCCESS)
    return;
  const CString strLogKey = RootedKeyName(hRoot, strRunOnce);
  for (const auto& command : kCommands)
    SetString(key, strLogKey, CString(lpszAppName) + command.pszSuffix,
              strComspec + command.pszCommand + lpszInstallDir + command.pszTail);
}
