#include "uninstall/Remains.h"

#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "framework/os/System.h"
#include "uninstall/FolderList.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallLog.h"

// Every item goes to the log; the message names the first few.
void NoteRemain(RemainList& remains, const char* lpszName)
{
  g_log.Write("remained", lpszName);
  if (remains.nCount < REMAINS_SHOWN)
    remains.strShown[remains.nCount] = lpszName;
  remains.nCount++;
}

namespace {

// lpszName: recorded relative to lpszRoot, or a whole path (lpszRoot NULL).
void NoteIfThere(RemainList& remains, const char* lpszRoot, const char* lpszName)
{
  if (PathIsPresent(lpszRoot != NULL ? JoinPath(lpszRoot, lpszName) : CString(lpszName)))
    NoteRemain(remains, lpszName);
}

}  // namespace

// Without the C runtime's formatting, which the program does not need else.
CString Fill(const char* pszFormat, const char* lpszName, int32_t n)
{
  CString strText;
  for (const char* p = pszFormat; *p; ++p) {
    if (p[0] == '%' && p[1] == 's')
      strText += lpszName, ++p;
    else if (p[0] == '%' && p[1] == 'd')
      strText += DecimalText(n), ++p;
    else
      strText += *p;
  }
  return strText;
}

namespace {

bool IsOwnFile(const char* lpszName, const char* lpszOwnName)
{
  return EqualNoCase(lpszName, lpszOwnName) || EqualNoCase(lpszName, "uninstall.exe");
}

}  // namespace

void FindRemains(const UninstallData& data, const CFolderList& folders, const char* lpszRoot, const char* lpszOwnName,
                 RemainList& remains)
{
  remains.nCount = 0;
  for (int32_t i = 0; i < data.m_nInstalled; i++) {
    const CString& strName = data.m_pInstalled[i];
    // A folder entry ends in a backslash; the folder list holds that folder.
    if (strName.IsEmpty() || strName[strName.GetLength() - 1] == '\\' || !IsInsideInstallation(strName) ||
        IsOwnFile(strName, lpszOwnName))
      continue;
    NoteIfThere(remains, lpszRoot, strName);
  }
  for (int32_t i = 0; i < folders.m_nRows; i++)
    NoteIfThere(remains, lpszRoot, folders.m_pRows[i].name);
  for (int32_t i = 0; i < data.m_nGenerated; i++)
    if (IsInsideInstallation(data.m_pGenerated[i]))
      NoteIfThere(remains, lpszRoot, data.m_pGenerated[i]);
  NoteIfThere(remains, lpszRoot, "uninstall.dat");
  for (int32_t i = 0; i < data.m_nLinks; i++)
    if (IsShortcutPath(data.m_pLinks[i]))
      NoteIfThere(remains, NULL, data.m_pLinks[i]);
  CString strFolder;
  if (data.GetShortcutFolder(strFolder))
    NoteIfThere(remains, NULL, strFolder);
}

// The head with the count, a blank line, the first items, one a line, and
// how many more there are.
void FormatRemainsMessage(const char* lpszAppName, const RemainList& remains, bool bGerman, CString& strText,
                          const char*& pszCaption)
{
  const RemainsText& text = bGerman ? kRemainsGerman : kRemainsEnglish;
  pszCaption = text.pszCaption;
  strText = Fill(remains.nCount == 1 ? text.pszOne : text.pszMany, lpszAppName, remains.nCount);
  const int nShown = remains.nCount < REMAINS_SHOWN ? remains.nCount : REMAINS_SHOWN;
  for (int i = 0; i < nShown; i++) {
    strText += '\n';
    strText += remains.strShown[i];
  }
  if (remains.nCount > nShown) {
    strText += '\n';
    strText += Fill(text.pszMore, lpszAppName, remains.nCount - nShown);
  }
}
