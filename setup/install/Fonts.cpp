// The fonts: the script's fonts are moved from the destination into the
// fonts folder, added as font resources and listed under the Fonts key, so
// that they work now and after the next start; then the change is
// announced once. A per-user installation uses the person's own fonts
// folder and key.
#include "setup/install/InstallPipeline.h"

#include "common/InstallNames.h"
#include "common/ShellFolders.h"
#include "framework/os/FileSystem.h"
#include "setup/install/FontRegistration.h"

bool CInstallPipeline::GetFontsFolder(CString& strFonts)
{
  if (!m_choices.bPerUser)
    return !GetShellFolder("Fonts", strFonts, HKEY_CURRENT_USER);
  // <Local AppData>\Microsoft\Windows\Fonts, made as far as it is missing.
  if (GetShellFolder("Local AppData", strFonts, HKEY_CURRENT_USER))
    return false;
  static const char* const kParts[] = {"\\Microsoft", "\\Windows", "\\Fonts"};
  for (const char* pszPart : kParts) {
    strFonts += pszPart;
    if (!IsFolder(strFonts) && (!m_journal.WillMakeFolder(strFonts) || MakeFolder(strFonts) != kFolderMade))
      return false;
  }
  return true;
}

void CInstallPipeline::InstallFonts()
{
  // Without a fonts folder the target would be undefined: leave the fonts
  // where they are.
  CString strFonts;
  if (!GetFontsFolder(strFonts)) {
    m_log.Write("fonts", "no fonts folder: the fonts stay in the destination");
    return;
  }
  const HKEY hRoot = m_choices.bPerUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  bool bAdded = false;
  for (int32_t i = 0; i < m_setup.m_nFonts; ++i) {
    const CString& strFont = *m_setup.m_ppFonts[i];
    if (!IsInsideInstallation(strFont))
      continue;
    CString strFrom = m_choices.strDestDir + "\\" + strFont;
    CString strTo = strFonts + "\\" + strFont;
    CString strListedAs;
    // A font of that name there already stays as it is.
    if (!PathIsPresent(strTo) && m_journal.WillRename(strFrom, strTo) && RenamePath(strFrom, strTo)) {
      m_log.Write("font moved", strFrom + " to " + strTo);
      bAdded = RegisterFont(m_journal, strFonts, strFont, false, &strListedAs, hRoot) || bAdded;
    } else {
      // It is listed if it is not yet.
      if (PathIsPresent(strTo) && !IsFolder(strTo)) {
        m_log.Write("font already in the fonts folder", strTo);
        bAdded = RegisterFont(m_journal, strFonts, strFont, true, &strListedAs, hRoot) || bAdded;
      } else {
        m_log.Write("font not moved", strFrom);
      }
    }
    if (!strListedAs.IsEmpty())
      m_log.Write("registry", strListedAs);
  }
  if (bAdded)
    AnnounceFontChange();
}
