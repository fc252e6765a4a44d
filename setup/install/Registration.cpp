// The registration: the application joins the system's list of installed
// programs, with the uninstaller as its removal command.
#include "setup/install/InstallPipeline.h"

#include "common/InstallNames.h"
#include "framework/os/RegKey.h"
#include "setup/SetupTexts.h"

namespace {

// The value, and a log line that names the key, the value and its data.
bool SetString(CInstallLog& log, const CString& strKey, CRegKey& key, const char* lpszName, const CString& strValue)
{
  const bool bSet = key.SetString(lpszName, strValue);
  log.Write(bSet ? "registry" : "registry value not written", strKey + ": " + lpszName + " = " + strValue);
  return bSet;
}

// The installation's language as a language id, as installers record it:
// the uninstaller answers in it.
bool SetLanguage(CInstallLog& log, const CString& strKey, CRegKey& key, const CString& strLanguage)
{
  const DWORD nLanguage = IsGerman(strLanguage, kEnglishOnlyForENG) ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
                                                                    : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const bool bSet = key.SetDword("Language", nLanguage);
  CString strLine;
  strLine.Format(": Language = 0x%lx", static_cast<unsigned long>(nLanguage));
  log.Write(bSet ? "registry" : "registry value not written", strKey + strLine);
  return bSet;
}

}  // namespace

bool CInstallPipeline::RegisterUninstall()
{
  // The uninstaller deletes the key only for such names.
  if (!IsRegistrableAppName(m_setup.m_strAppName)) {
    m_log.Write("registration", "the application's name cannot name a key of its own: not registered");
    return true;
  }
  const CString strKey = CString(kUninstallKey) + m_setup.m_strAppName;
  const CString strLogKey = "HKEY_LOCAL_MACHINE\\" + strKey;
  CRegKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, strKey, MAXIMUM_ALLOWED) != ERROR_SUCCESS) {
    m_log.Write("registry key not created", strLogKey);
    return false;
  }
  const CString strCommand = m_choices.strDestDir + "\\uninstall.exe";
  // Software-distribution tools remove a program without a question with
  // the quiet command, by Windows' convention.
  const CString strQuiet = "\"" + strCommand + "\" /S";
  return SetString(m_log, strLogKey, key, "DisplayName", m_setup.m_strAppName) &&
         SetString(m_log, strLogKey, key, "UninstallString", strCommand) &&
         SetString(m_log, strLogKey, key, "QuietUninstallString", strQuiet) &&
         SetLanguage(m_log, strLogKey, key, m_setup.m_strLanguage);
}
