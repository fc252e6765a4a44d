// Step 14 of the install sequence: the script's fonts are moved from the
// destination into the user's fonts folder. Moving the file is all there is
// to it: no font resource is registered and no notice is sent.
#include "setup/SetupApp.h"

#include "common/InstallNames.h"

void CSetupApp::InstallFonts(const char* lpszDestDir)
{
  // Without a fonts folder the target would be undefined: leave the fonts
  // where they are.
  char szFonts[260];
  if (GetShellFolder("Fonts", szFonts, HKEY_CURRENT_USER))
    return;
  for (int32_t i = 0; i < m_nFonts; ++i) {
    const CString& strFont = *m_ppFonts[i];
    if (!IsInsideInstallation(strFont))
      continue;
    CString strFrom = CString(lpszDestDir) + "\\" + strFont;
    CString strTo = CString(szFonts) + "\\" + strFont;
    if (strFrom.GetLength() < MAX_PATH && strTo.GetLength() < MAX_PATH)
      ::MoveFileA(strFrom, strTo);
  }
}
