// The registration: the application joins the system's list of installed
// programs, with the uninstaller as its removal command and what software
// catalogs read there (version, publisher, size, location).
#include "setup/install/InstallPipeline.h"

#include <time.h>

#include "common/InstallNames.h"
#include "framework/os/RegKey.h"
#include "setup/SetupTexts.h"

namespace {

// One value of the entry: its earlier state goes into the journal first,
// and a log line names the key, the value and its data.
class CEntryWriter
{
public:
  CEntryWriter(CInstallLog& log, CInstallJournal& journal, HKEY hRoot, const CString& strKey)
      : m_log(log), m_journal(journal), m_hRoot(hRoot), m_strKey(strKey), m_strLogKey(RootedKeyName(hRoot, strKey))
  {}

  // A key that was not there is recorded as made, so that undone it goes.
  bool Create()
  {
    if (m_journal.WillSetValue(m_hRoot, m_strKey, "DisplayName") &&
        m_key.Create(m_hRoot, m_strKey, MAXIMUM_ALLOWED) == ERROR_SUCCESS)
      return true;
    m_log.Write("registry key not created", m_strLogKey);
    return false;
  }
  // An empty text is not written: the script did not give it.
  bool String(const char* lpszName, const CString& strValue)
  {
    if (strValue.IsEmpty())
      return true;
    return Logged(m_journal.WillSetValue(m_hRoot, m_strKey, lpszName) && m_key.SetString(lpszName, strValue), lpszName,
                  strValue);
  }
  bool Dword(const char* lpszName, DWORD nValue)
  {
    CString strValue;
    strValue.Format("0x%lx", static_cast<unsigned long>(nValue));
    return Logged(m_journal.WillSetValue(m_hRoot, m_strKey, lpszName) && m_key.SetDword(lpszName, nValue), lpszName,
                  strValue);
  }

private:
  bool Logged(bool bSet, const char* lpszName, const CString& strValue)
  {
    m_log.Write(bSet ? "registry" : "registry value not written", m_strLogKey + ": " + lpszName + " = " + strValue);
    return bSet;
  }

  CInstallLog& m_log;
  CInstallJournal& m_journal;
  HKEY m_hRoot;
  CString m_strKey;
  CString m_strLogKey;
  CRegKey m_key;
};

// Today as YYYYMMDD, the form the list of installed programs reads.
CString Today()
{
  const time_t now = time(NULL);
  const struct tm* pNow = localtime(&now);
  CString strDate;
  if (pNow != NULL)
    strDate.Format("%04d%02d%02d", pNow->tm_year + 1900, pNow->tm_mon + 1, pNow->tm_mday);
  return strDate;
}

}  // namespace

CString CInstallPipeline::DisplayIcon() const
{
  // #Icon names a payload file, with or without ",index"; else the first
  // shortcut's program shows.
  const CString& strIcon = m_setup.m_strIcon;
  if (!strIcon.IsEmpty()) {
    const int nComma = strIcon.ReverseFind(',');
    const CString strFile = nComma >= 0 ? strIcon.Left(nComma) : strIcon;
    if (IsInsideInstallation(strFile))
      return m_choices.strDestDir + "\\" + strIcon;
  }
  if (m_setup.m_nShortcuts > 0 && IsInsideInstallation(m_setup.m_pShortcuts[0].target))
    return m_choices.strDestDir + "\\" + m_setup.m_pShortcuts[0].target;
  return CString();
}

bool CInstallPipeline::RegisterUninstall()
{
  // The uninstaller deletes the key only for such names.
  if (!IsRegistrableAppName(m_setup.m_strAppName)) {
    m_log.Write("registration", "the application's name cannot name a key of its own: not registered");
    return true;
  }
  CEntryWriter entry(m_log, m_journal, m_choices.bPerUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                     CString(kUninstallKey) + m_setup.m_strAppName);
  // Quoted: Windows would try "C:\Program.exe" first for a bare path with
  // blanks. Software-distribution tools remove a program without a
  // question with the quiet command, by Windows' convention.
  const CString strCommand = "\"" + m_choices.strDestDir + "\\uninstall.exe\"";
  // The installation's language as a language id, as installers record
  // it: the uninstaller answers in it.
  const DWORD nLanguage = IsGerman(m_setup.m_strLanguage, kEnglishOnlyForENG)
                              ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
                              : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  // The size in KiB, rounded up, as the list shows it.
  const DWORD nSizeKiB = static_cast<DWORD>((static_cast<int64_t>(m_setup.m_nTotalSize) + 1023) / 1024);
  if (entry.Create() && entry.String("DisplayName", m_setup.m_strAppName) &&
      entry.String("UninstallString", strCommand) && entry.String("QuietUninstallString", strCommand + " /S") &&
      entry.Dword("Language", nLanguage) && entry.String("DisplayVersion", m_setup.m_strVersion) &&
      entry.String("Publisher", m_setup.m_strPublisher) && entry.String("URLInfoAbout", m_setup.m_strURL) &&
      entry.String("DisplayIcon", DisplayIcon()) && entry.String("InstallLocation", m_choices.strDestDir) &&
      entry.Dword("EstimatedSize", nSizeKiB) && entry.String("InstallDate", Today()) && entry.Dword("NoModify", 1) &&
      entry.Dword("NoRepair", 1))
    return true;
  m_feedback.Tell(kNotRegistered, kErrorCaption, MB_ICONEXCLAMATION);
  return false;
}
