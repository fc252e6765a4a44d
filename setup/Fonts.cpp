// The fonts: the script's fonts are moved from the destination into the
// user's fonts folder, added as font resources and listed under the
// system's Fonts key, so that they work now and after the next start; then
// the change is announced once.
#include "setup/SetupApp.h"

#include "common/InstallNames.h"
#include "setup/FontRegistration.h"

void CSetupApp::InstallFonts(const char* lpszDestDir)
{
  // Without a fonts folder the target would be undefined: leave the fonts
  // where they are.
  char szFonts[260];
  if (GetShellFolder("Fonts", szFonts, HKEY_CURRENT_USER)) {
    m_log.Write("fonts", "no fonts folder: the fonts stay in the destination");
    return;
  }
  bool bAdded = false;
  for (int32_t i = 0; i < m_nFonts; ++i) {
    const CString& strFont = *m_ppFonts[i];
    if (!IsInsideInstallation(strFont))
      continue;
    CString strFrom = CString(lpszDestDir) + "\\" + strFont;
    CString strTo = CString(szFonts) + "\\" + strFont;
    if (strFrom.GetLength() >= MAX_PATH || strTo.GetLength() >= MAX_PATH)
      continue;
    CString strListedAs;
    if (::MoveFileA(strFrom, strTo)) {
      m_log.Write("font moved", strFrom + " to " + strTo);
      bAdded = RegisterFont(szFonts, strFont, false, &strListedAs) || bAdded;
    } else {
      // A font of that name was there already: it stays as it is, and it is
      // listed if it is not yet.
      DWORD nAttributes = ::GetFileAttributesA(strTo);
      if (nAttributes != INVALID_FILE_ATTRIBUTES && !(nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_log.Write("font already in the fonts folder", strTo);
        bAdded = RegisterFont(szFonts, strFont, true, &strListedAs) || bAdded;
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
