#include "uninstall/Remains.h"

#include "common/InstallNames.h"
#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "framework/os/System.h"
#include "uninstall/FolderList.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallLog.h"

#include <windows.h>
#include <string.h>

namespace {

// Every item goes to the log; the message names the first few.
void Note(RemainList& remains, const char* lpszName)
{
  g_log.Write("remained", lpszName);
  if (remains.nCount < REMAINS_SHOWN)
    lstrcpynA(remains.szShown[remains.nCount], lpszName, sizeof(remains.szShown[0]));
  remains.nCount++;
}

void NoteIfThere(RemainList& remains, const char* lpszName)
{
  if (PathIsPresent(lpszName))
    Note(remains, lpszName);
}

bool IsOwnFile(const char* lpszName, const char* lpszOwnName)
{
  return EqualNoCase(lpszName, lpszOwnName) || EqualNoCase(lpszName, "uninstall.exe");
}

// Appends as much of lpszText as fits; the text stays terminated.
void Append(char* pszText, int nSize, const char* lpszMore)
{
  int nLength = (int)strlen(pszText);
  if (nLength < nSize - 1)
    lstrcpynA(pszText + nLength, lpszMore, nSize - nLength);
}

}  // namespace

void FindRemains(const UninstallData& data, const CFolderList& folders, const char* lpszOwnName, RemainList& remains)
{
  remains.nCount = 0;
  for (int32_t i = 0; i < data.m_nInstalled; i++) {
    const char* pszName = data.m_pInstalled[i];
    size_t nLength = strlen(pszName);
    // A folder entry ends in a backslash; the folder list holds that folder.
    if (nLength == 0 || pszName[nLength - 1] == '\\' || !IsInsideInstallation(pszName) ||
        IsOwnFile(pszName, lpszOwnName))
      continue;
    NoteIfThere(remains, pszName);
  }
  for (int32_t i = 0; i < folders.m_nRows; i++)
    NoteIfThere(remains, folders.m_pRows[i].name);
  for (int32_t i = 0; i < data.m_nGenerated; i++)
    if (IsInsideInstallation(data.m_pGenerated[i]))
      NoteIfThere(remains, data.m_pGenerated[i]);
  NoteIfThere(remains, "uninstall.dat");
  for (int32_t i = 0; i < data.m_nLinks; i++)
    if (IsShortcutPath(data.m_pLinks[i]))
      NoteIfThere(remains, data.m_pLinks[i]);
  char szFolder[UNINSTALL_PATH_SIZE];
  if (data.GetShortcutFolder(szFolder))
    NoteIfThere(remains, szFolder);
}

// The head with the count, a blank line, the first items, one a line, and
// how many more there are.
void FormatRemainsMessage(const char* lpszAppName, const RemainList& remains, bool bGerman,
                          char (&szText)[REMAINS_TEXT], const char*& pszCaption)
{
  const RemainsText& text = bGerman ? kRemainsGerman : kRemainsEnglish;
  pszCaption = text.pszCaption;
  // wsprintfA writes at most 1024 bytes: enough for the head with a name of
  // up to 255 bytes; the items, up to 259 bytes each, are appended.
  wsprintfA(szText, remains.nCount == 1 ? text.pszOne : text.pszMany, lpszAppName, remains.nCount);
  int nShown = remains.nCount < REMAINS_SHOWN ? remains.nCount : REMAINS_SHOWN;
  for (int i = 0; i < nShown; i++) {
    Append(szText, REMAINS_TEXT, "\n");
    Append(szText, REMAINS_TEXT, remains.szShown[i]);
  }
  if (remains.nCount > nShown) {
    char szLine[64] = "\n";
    wsprintfA(szLine + 1, text.pszMore, remains.nCount - nShown);
    Append(szText, REMAINS_TEXT, szLine);
  }
}
