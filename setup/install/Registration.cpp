// The registration: the application joins the system's list of installed
// programs, with the uninstaller as its removal command.
#include "setup/install/InstallPipeline.h"

#include "common/InstallNames.h"
#include "framework/os/RegKey.h"
#include "setup/SetupTexts.h"

namespace {

// The value, its earlier state in the journal first, and a log line that
// names the key, the value and its data.
bool SetString(CInstallLog& log, CInstallJournal& journal, const CString& strKey, CRegKey& key, const char* lpszName,
               const CString& strValue)
{
  const bool bSet = journal.WillSetValue(HKEY_LOCAL_MACHINE, strKey, lpszName) && key.SetString(lpszName, strValue);
  log.Write(bSet ? "registry" : "registry value not written",
            "HKEY_LOCAL_MACHINE\\" + strKey + ": " + lpszName + " = " + strValue);
  return bSet;
}

// The installation's language as a language id, as installers record it:
// the uninstaller answers in it.
bool SetLanguage(CInstallLog& log, CInstallJournal& journal, const CString& strKey, CRegKey& key,
                 const CString& strLanguage)
{
  const DWORD nLanguage = IsGerman(strLanguage, kEnglishOnlyForENG) ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
                                                                    : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const bool bSet = journal.WillSetValue(HKEY_LOCAL_MACHINE, strKey, "Language") && key.SetDword("Language", nLanguage);
  CString strLine;
  strLine.Format(": Language = 0x%lx", static_cast<unsigned long>(nLanguage));
  log.Write(bSet ? "registry" : "registry value not written", "HKEY_LOCAL_MACHINE\\" + strKey + strLine);
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
  CRegKey key;
  // A key that was not there is recorded as made, so that undone it goes.
  if (!m_journal.WillSetValue(HKEY_LOCAL_MACHINE, strKey, "DisplayName") ||
      key.Create(HKEY_LOCAL_MACHINE, strKey, MAXIMUM_ALLOWED) != ERROR_SUCCESS) {
    m_log.Write("registry key not created", "HKEY_LOCAL_MACHINE\\" + strKey);
    m_feedback.Tell(kNotRegistered, kErrorCaption, MB_ICONEXCLAMATION);
    return false;
  }
  const CString strCommand = m_choices.strDestDir + "\\uninstall.exe";
  // Software-distribution tools remove a program without a question with
  // the quiet command, by Windows' convention.
  const CString strQuiet = "\"" + strCommand + "\" /S";
  if (SetString(m_log, m_journal, strKey, key, "DisplayName", m_setup.m_strAppName) &&
      SetString(m_log, m_journal, strKey, key, "UninstallString", strCommand) &&
      SetString(m_log, m_journal, strKey, key, "QuietUninstallString", strQuiet) &&
      SetLanguage(m_log, m_journal, strKey, key, m_setup.m_strLanguage))
    return true;
  m_feedback.Tell(kNotRegistered, kErrorCaption, MB_ICONEXCLAMATION);
  return false;
}
