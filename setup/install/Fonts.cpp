// The fonts: the script's fonts are moved from the destination into the
// user's fonts folder, added as font resources and listed under the
// system's Fonts key, so that they work now and after the next start; then
// the change is announced once.
#include "setup/install/InstallPipeline.h"

#include "common/InstallNames.h"
#include "common/ShellFolders.h"
#include "framework/os/FileSystem.h"
#include "setup/install/FontRegistration.h"

void CInstallPipeline::InstallFonts()
{
  // Without a fonts folder the target would be undefined: leave the fonts
  // where they are.
  CString strFonts;
  if (GetShellFolder("Fonts", strFonts, HKEY_CURRENT_USER)) {
    m_log.Write("fonts", "no fonts folder: the fonts stay in the destination");
    return;
  }
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
      bAdded = RegisterFont(m_journal, strFonts, strFont, false, &strListedAs) || bAdded;
    } else {
      // It is listed if it is not yet.
      if (PathIsPresent(strTo) && !IsFolder(strTo)) {
        m_log.Write("font already in the fonts folder", strTo);
        bAdded = RegisterFont(m_journal, strFonts, strFont, true, &strListedAs) || bAdded;
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
