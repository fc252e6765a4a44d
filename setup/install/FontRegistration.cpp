#include "setup/install/FontRegistration.h"

#include <windows.h>

#include "common/FontName.h"
#include "framework/os/RegKey.h"
#include "framework/os/System.h"
#include "framework/afx.h"
#include "setup/install/InstallJournal.h"
#include "zip/ZipPath.h"

namespace {

const char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// Windows looks a bare file name up in its own fonts folder; a font
// anywhere else is listed by its full path.
CString ListedFileName(const char* lpszFontsDir, const char* lpszName, const CString& strPath)
{
  CString strSystemFonts;
  if (!GetWindowsFolder(strSystemFonts))
    return strPath;
  if (strSystemFonts[strSystemFonts.GetLength() - 1] != '\\')
    strSystemFonts += "\\";
  strSystemFonts += "Fonts";
  return EqualNoCase(strSystemFonts, lpszFontsDir) ? CString(lpszName) : strPath;
}

// TRUE when a value of the Fonts key names the file, by its name or its path.
bool IsListed(const CRegKey& key, const CString& strListed, const CString& strPath)
{
  CString strValueName, strData;
  for (DWORD i = 0;; ++i) {
    DWORD nType = 0;
    const LONG nResult = key.EnumText(i, strValueName, strData, &nType);
    if (nResult == ERROR_NO_MORE_ITEMS)
      return false;
    if (nResult != ERROR_SUCCESS || nType != REG_SZ)
      continue;  // not a file name
    if (EqualNoCase(strData, strListed) || EqualNoCase(strData, strPath))
      return true;
  }
}

// "<name> (TrueType)" or "(OpenType)": the font's own name, in any script,
// or its file title when its name table has none.
CString MakeValueName(const CString& strPath)
{
  FontName name;
  ReadFontFileName(strPath, name);
  CString strName = name.szName[0] ? Utf8FromWide(reinterpret_cast<const WCHAR*>(name.szName)) : GetTitlePart(strPath);
  if (name.nOutlines == FONT_OPENTYPE)
    strName += " (OpenType)";
  else if (name.nOutlines == FONT_TRUETYPE)
    strName += " (TrueType)";
  return strName;
}

}  // namespace

bool RegisterFont(CInstallJournal& journal, const char* lpszFontsDir, const char* lpszName, bool bOnlyIfUnlisted,
                  CString* pstrListedAs, HKEY hRoot)
{
  CString strPath = CString(lpszFontsDir) + "\\" + lpszName;
  CString strListed = ListedFileName(lpszFontsDir, lpszName, strPath);
  CRegKey key;
  key.Create(hRoot, kFontsKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (bOnlyIfUnlisted && (key == NULL || IsListed(key, strListed, strPath)))
    return false;
  bool bAdded = journal.WillAddFont(strPath) && AddFontFile(strPath);
  if (key != NULL) {
    const CString strValueName = MakeValueName(strPath);
    if (journal.WillSetValue(hRoot, kFontsKey, strValueName) && key.SetString(strValueName, strListed) &&
        pstrListedAs != NULL)
      *pstrListedAs = RootedKeyName(hRoot, kFontsKey) + ": " + strValueName + " = " + strListed;
  }
  return bAdded;
}

// No text goes with this message: the wide form only because the programs
// import no 8-bit one.
void AnnounceFontChange() { ::SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 1000, NULL); }
