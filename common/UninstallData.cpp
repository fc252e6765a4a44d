// Reading uninstall.dat and removing the recorded shortcuts; shared by setup
// and the uninstaller.
#include "common/UninstallData.h"

#include "framework/Platform.h"
#include "framework/os/FileSystem.h"
#include "framework/os/ObjectArray.h"
#include "framework/os/Unicode.h"

#include <stdlib.h>
#include <string.h>
#ifdef _WIN32
#include "common/ShellFolders.h"
#include "framework/os/System.h"
#endif

namespace {

// The whole file's bytes into a buffer of the C heap (NUL behind them, for
// no one's use); NULL when it can't be read. Through the stream itself:
// fewer calls for the small uninstaller to import than asking for its
// descriptor's length.
char* ReadWholeFile(const char* lpszPath, size_t& nSize)
{
  FILE* pFile = OpenFileStream(lpszPath, "rb");
  if (!pFile)
    return NULL;
  char* pBytes = NULL;
  long nLength = fseek(pFile, 0, SEEK_END) == 0 ? ftell(pFile) : -1;
  if (nLength >= 0 && fseek(pFile, 0, SEEK_SET) == 0)
    pBytes = static_cast<char*>(malloc(static_cast<size_t>(nLength) + 1));
  if (pBytes != NULL && fread(pBytes, 1, static_cast<size_t>(nLength), pFile) != static_cast<size_t>(nLength)) {
    free(pBytes);
    pBytes = NULL;
  }
  fclose(pFile);
  nSize = static_cast<size_t>(nLength);
  return pBytes;
}

// TRUE when lpszFolder is one of the shell's own folders that setup puts
// links into or below: the user's Startup folder or desktop, or a start
// menu's programs folder. The installation did not make them, so they stay
// even when empty.
bool IsShellFolder(const char* lpszFolder)
{
#ifdef _WIN32
  static const struct
  {
    HKEY hRoot;
    const char* pszValue;
  } kFolders[] = {{HKEY_CURRENT_USER, "Startup"},
                  {HKEY_CURRENT_USER, "Desktop"},
                  {HKEY_CURRENT_USER, "Programs"},
                  {HKEY_LOCAL_MACHINE, "Common Programs"}};
  for (const auto& folder : kFolders) {
    CString strValue;
    if (ReadShellFolderValue(folder.hRoot, folder.pszValue, KEY_QUERY_VALUE, strValue) &&
        EqualNoCase(strValue, lpszFolder))
      return true;
  }
#else
  (void)lpszFolder;
#endif
  return false;
}

}  // namespace

UninstallData::UninstallData()
    : m_nInstalled(0), m_pInstalled(NULL), m_nLinks(0), m_pLinks(NULL), m_nGenerated(0), m_pGenerated(NULL),
      m_bAnsi(false), m_nFlags(0)
{}

UninstallData::~UninstallData() { Clear(); }

void UninstallData::Clear()
{
  DeleteObjectArray(m_pInstalled, m_nInstalled);
  DeleteObjectArray(m_pLinks, m_nLinks);
  DeleteObjectArray(m_pGenerated, m_nGenerated);
  m_strAppName.Empty();
  m_bAnsi = false;
  m_nFlags = 0;
}

int UninstallData::Read(const char* lpszPath)
{
  Clear();
  size_t nSize = 0;
  char* pBytes = ReadWholeFile(lpszPath, nSize);
  if (pBytes == NULL)
    return 1;

  int nResult = 1;
  if (nSize >= 4 && (memcmp(pBytes, kUninstallMagic, 4) == 0 || memcmp(pBytes, kUninstallMagicAnsi, 4) == 0)) {
    Cursor in = {pBytes + 4, pBytes + nSize};
    m_bAnsi = memcmp(pBytes, kUninstallMagicAnsi, 4) == 0;
    if (ReadString(in, m_strAppName, UNINSTALL_NAME_SIZE) == 0 && ReadList(in, m_nInstalled, m_pInstalled) == 0 &&
        ReadList(in, m_nLinks, m_pLinks) == 0 && ReadList(in, m_nGenerated, m_pGenerated) == 0) {
      // The optional trailer: a file without it has no flags.
      ReadInt32(in, m_nFlags);
      nResult = 0;
    }
  }
  free(pBytes);
  if (nResult != 0)
    Clear();
  return nResult;
}

bool UninstallData::ReadInt32(Cursor& in, int32_t& n)
{
  if (in.pEnd - in.p < 4)
    return false;
  const unsigned char* b = reinterpret_cast<const unsigned char*>(in.p);
  n = (int32_t)((uint32_t)b[0] | ((uint32_t)b[1] << 8) | ((uint32_t)b[2] << 16) | ((uint32_t)b[3] << 24));
  in.p += 4;
  return true;
}

// A count and its strings. A list that the file's end cuts off before its
// count stays empty: a file may end after any complete list; one that ends
// inside the count is damaged.
int UninstallData::ReadList(Cursor& in, int32_t& nCount, CString*& pList)
{
  if (in.p == in.pEnd)
    return 0;
  int32_t nRead;
  if (!ReadInt32(in, nRead))
    return 1;
  if (nRead <= 0)
    return 0;
  // Every string takes at least its NUL: a count beyond the bytes left is
  // damage, and allocating for it could ask for gigabytes.
  if ((size_t)nRead > static_cast<size_t>(in.pEnd - in.p))
    return 1;
  pList = NewObjectArray<CString>(nRead);
  if (!pList)
    return 1;
  nCount = nRead;
  for (int32_t i = 0; i < nCount; i++)
    if (ReadString(in, pList[i], UNINSTALL_PATH_SIZE) != 0)
      return 1;
  return 0;
}

int UninstallData::ReadString(Cursor& in, CString& strText, int nSlot)
{
  const char* pNul = static_cast<const char*>(memchr(in.p, 0, static_cast<size_t>(in.pEnd - in.p)));
  if (pNul == NULL)
    return 1;
  const char* pText = in.p;
  const int nLength = static_cast<int>(pNul - pText);
  in.p = pNul + 1;
  // The ANSI form keeps at most nSlot - 1 bytes and skips the rest.
  strText = m_bAnsi ? Utf8FromCodePage(kAnsiCodePage, pText, nLength < nSlot ? nLength : nSlot - 1)
                    : CString(pText, nLength);
  return m_bAnsi || IsValidUtf8(pText, static_cast<size_t>(nLength)) ? 0 : 1;
}

bool IsShortcutPath(const char* lpszPath)
{
  size_t nLength = strlen(lpszPath);
  if (nLength < 4)
    return false;
  const char* pszExt = lpszPath + nLength - 4;
  return pszExt[0] == '.' && (pszExt[1] | 0x20) == 'l' && (pszExt[2] | 0x20) == 'n' && (pszExt[3] | 0x20) == 'k';
}

bool UninstallData::GetShortcutFolder(CString& strFolder) const
{
  // A folder that was there before setup is not the installation's.
  if (m_nLinks <= 0 || (m_nFlags & UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED) || !IsShortcutPath(m_pLinks[0]))
    return false;
  const int nSlash = m_pLinks[0].ReverseFind('\\');
  if (nSlash < 0)
    return false;
  strFolder = m_pLinks[0].Left(nSlash);
  // Without start-menu links the first one lies in the Startup folder or on
  // the desktop, which are the user's, not the installation's.
  return !IsShellFolder(strFolder);
}

void UninstallData::RemoveShortcuts()
{
  // Only .lnk files: a damaged record must not delete anything else.
  for (int32_t i = 0; i < m_nLinks; i++)
    if (IsShortcutPath(m_pLinks[i]))
      RemoveFile(m_pLinks[i]);

  CString strFolder;
  if (GetShortcutFolder(strFolder))
    RemoveFolder(strFolder);
}
