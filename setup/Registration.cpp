// Step 16 of the install sequence: the application joins the system's list
// of installed programs, with the uninstaller as its removal command.
#include "setup/SetupApp.h"

#include "common/InstallNames.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool SetString(HKEY hKey, const char* lpszName, const CString& strValue)
{
  return ::RegSetValueExA(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<const char*>(strValue)),
                          static_cast<DWORD>(strValue.GetLength() + 1)) == ERROR_SUCCESS;
}

// The installation's language as a language id, as installers record it:
// the uninstaller answers in it.
bool SetLanguage(HKEY hKey, const CString& strLanguage)
{
  DWORD nLanguage = strLanguage == "ENG" ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                         : MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
  return ::RegSetValueExA(hKey, "Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nLanguage),
                          sizeof(nLanguage)) == ERROR_SUCCESS;
}

}  // namespace

BOOL CSetupApp::RegisterUninstall(const char* lpszDestDir)
{
  // The uninstaller deletes the key only for such names.
  if (!IsRegistrableAppName(m_strAppName))
    return FALSE;
  HKEY hKey;
  if (::RegCreateKeyA(HKEY_LOCAL_MACHINE, CString(kUninstallKey) + m_strAppName, &hKey) != ERROR_SUCCESS)
    return TRUE;
  CString strCommand;
  strCommand.Format("%s\\uninstall.exe", lpszDestDir);
  bool bWritten = SetString(hKey, "DisplayName", m_strAppName) && SetString(hKey, "UninstallString", strCommand) &&
                  SetLanguage(hKey, m_strLanguage);
  ::RegCloseKey(hKey);
  return bWritten ? FALSE : TRUE;
}
