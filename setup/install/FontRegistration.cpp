#include "setup/install/FontRegistration.h"

#include <windows.h>

#include "common/FontName.h"
#include "framework/os/RegKey.h"
#include "framework/os/System.h"
#include "framework/afx.h"
#include "zip/ZipPath.h"

namespace {

const char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// Windows looks a bare file name up in its own fonts folder; a font
// anywhere else is listed by its full path.
CString ListedFileName(const char* lpszFontsDir, const char* lpszName, const CString& strPath)
{
  char szWindows[MAX_PATH];
  if (!GetWindowsFolder(szWindows, MAX_PATH))
    return strPath;
  CString strSystemFonts(szWindows);
  if (strSystemFonts[strSystemFonts.GetLength() - 1] != '\\')
    strSystemFonts += "\\";
  strSystemFonts += "Fonts";
  return EqualNoCase(strSystemFonts, lpszFontsDir) ? CString(lpszName) : strPath;
}

// TRUE when a value of the Fonts key names the file, by its name or its path.
bool IsListed(const CRegKey& key, const CString& strListed, const CString& strPath)
{
  static char szValueName[16384];  // the longest value name the registry allows
  char szData[2 * MAX_PATH];
  for (DWORD i = 0;; ++i) {
    DWORD nType = 0;
    const LONG nResult = key.EnumText(i, szValueName, sizeof(szValueName), szData, sizeof(szData), &nType);
    if (nResult == ERROR_NO_MORE_ITEMS)
      return false;
    if (nResult != ERROR_SUCCESS || nType != REG_SZ)
      continue;  // too long to be either, or not a file name
    if (EqualNoCase(szData, strListed) || EqualNoCase(szData, strPath))
      return true;
  }
}

// "<name> (TrueType)" or "(OpenType)" in UTF-16: the font's name may hold
// characters that the ANSI code page lacks.
void MakeValueName(const CString& strPath, WCHAR (&szValueName)[FONT_NAME_UNITS + 16])
{
  FontName name;
  ReadFontFileName(strPath, name);
  size_t nLength = 0;
  if (name.szName[0]) {
    while (name.szName[nLength]) {
      szValueName[nLength] = name.szName[nLength];
      ++nLength;
    }
  } else {
    int nWritten = ::MultiByteToWideChar(CP_ACP, 0, GetTitlePart(strPath), -1, szValueName, FONT_NAME_UNITS);
    nLength = nWritten > 0 ? (size_t)nWritten - 1 : 0;
  }
  const WCHAR* pszKind = name.nOutlines == FONT_OPENTYPE   ? L" (OpenType)"
                         : name.nOutlines == FONT_TRUETYPE ? L" (TrueType)"
                                                           : L"";
  ::lstrcpyW(szValueName + nLength, pszKind);
}

// "HKLM\...\Fonts: <name> = <data>" for the log, the name in the ANSI
// code page as far as it has the characters.
CString DescribeValue(const WCHAR* pszValueName, const CString& strData)
{
  char szName[2 * (FONT_NAME_UNITS + 16)];
  if (::WideCharToMultiByte(CP_ACP, 0, pszValueName, -1, szName, sizeof(szName), NULL, NULL) == 0)
    szName[0] = '\0';
  return CString("HKEY_LOCAL_MACHINE\\") + kFontsKey + ": " + szName + " = " + strData;
}

}  // namespace

bool RegisterFont(const char* lpszFontsDir, const char* lpszName, bool bOnlyIfUnlisted, CString* pstrListedAs)
{
  CString strPath = CString(lpszFontsDir) + "\\" + lpszName;
  CString strListed = ListedFileName(lpszFontsDir, lpszName, strPath);
  CRegKey key;
  key.Create(HKEY_LOCAL_MACHINE, kFontsKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (bOnlyIfUnlisted && (key == NULL || IsListed(key, strListed, strPath)))
    return false;
  bool bAdded = AddFontFile(strPath);
  if (key != NULL) {
    WCHAR szValueName[FONT_NAME_UNITS + 16];
    MakeValueName(strPath, szValueName);
    WCHAR szData[2 * MAX_PATH];
    int nData = ::MultiByteToWideChar(CP_ACP, 0, strListed, -1, szData, 2 * MAX_PATH);
    if (nData > 0 && key.SetWideString(szValueName, szData) && pstrListedAs != NULL)
      *pstrListedAs = DescribeValue(szValueName, strListed);
  }
  return bAdded;
}

void AnnounceFontChange() { ::SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 1000, NULL); }
