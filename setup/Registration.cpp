// Step 16 of the install sequence: the application joins the system's list
// of installed programs, with the uninstaller as its removal command.
#include "setup/SetupApp.h"

#include "common/InstallNames.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void SetString(HKEY hKey, const char* lpszName, const CString& strValue)
{
  ::RegSetValueExA(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<const char*>(strValue)),
                   static_cast<DWORD>(strValue.GetLength() + 1));
}

}  // namespace

void CSetupApp::RegisterUninstall(const char* lpszDestDir)
{
  // The uninstaller deletes the key only for such names.
  if (!IsRegistrableAppName(m_strAppName))
    return;
  HKEY hKey;
  if (::RegCreateKeyA(HKEY_LOCAL_MACHINE, CString(kUninstallKey) + m_strAppName, &hKey) != ERROR_SUCCESS)
    return;
  CString strCommand;
  strCommand.Format("%s\\uninstall.exe", lpszDestDir);
  SetString(hKey, "DisplayName", m_strAppName);
  SetString(hKey, "UninstallString", strCommand);
  ::RegCloseKey(hKey);
}
