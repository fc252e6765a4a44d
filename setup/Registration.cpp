// The registration: the application joins the system's list of installed
// programs, with the uninstaller as its removal command.
#include "setup/SetupApp.h"

#include "common/InstallNames.h"
#include "framework/RegKey.h"
#include "setup/SetupTexts.h"

namespace {

// The value, and a log line that names the key, the value and its data.
bool SetString(CInstallLog& log, const CString& strKey, HKEY hKey, const char* lpszName, const CString& strValue)
{
  bool bSet =
      ::RegSetValueExA(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<const char*>(strValue)),
                       static_cast<DWORD>(strValue.GetLength() + 1)) == ERROR_SUCCESS;
  log.Write(bSet ? "registry" : "registry value not written", strKey + ": " + lpszName + " = " + strValue);
  return bSet;
}

// The installation's language as a language id, as installers record it:
// the uninstaller answers in it.
bool SetLanguage(CInstallLog& log, const CString& strKey, HKEY hKey, const CString& strLanguage)
{
  DWORD nLanguage = IsGerman(strLanguage, kEnglishOnlyForENG) ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
                                                              : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  bool bSet = ::RegSetValueExA(hKey, "Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nLanguage),
                               sizeof(nLanguage)) == ERROR_SUCCESS;
  CString strLine;
  strLine.Format(": Language = 0x%lx", static_cast<unsigned long>(nLanguage));
  log.Write(bSet ? "registry" : "registry value not written", strKey + strLine);
  return bSet;
}

}  // namespace

BOOL CSetupApp::RegisterUninstall(const char* lpszDestDir)
{
  // The uninstaller deletes the key only for such names.
  if (!IsRegistrableAppName(m_strAppName)) {
    m_log.Write("registration", "the application's name cannot name a key of its own: not registered");
    return FALSE;
  }
  const CString strKey = CString(kUninstallKey) + m_strAppName;
  const CString strLogKey = "HKEY_LOCAL_MACHINE\\" + strKey;
  CRegKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, strKey, MAXIMUM_ALLOWED) != ERROR_SUCCESS) {
    m_log.Write("registry key not created", strLogKey);
    return TRUE;
  }
  CString strCommand;
  strCommand.Format("%s\\uninstall.exe", lpszDestDir);
  // Software-distribution tools remove a program without a question with
  // the quiet command, by Windows' convention.
  CString strQuiet;
  strQuiet.Format("\"%s\\uninstall.exe\" /S", lpszDestDir);
  bool bWritten = SetString(m_log, strLogKey, key, "DisplayName", m_strAppName) &&
                  SetString(m_log, strLogKey, key, "UninstallString", strCommand) &&
                  SetString(m_log, strLogKey, key, "QuietUninstallString", strQuiet) &&
                  SetLanguage(m_log, strLogKey, key, m_strLanguage);
  return bWritten ? FALSE : TRUE;
}
