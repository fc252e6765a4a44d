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
#else
#include <sys/stat.h>
#endif

namespace {

// The whole file's size, or -1.
int64_t FileSize(FILE* pFile)
{
#ifdef _WIN32
  // Through the stream itself: one call fewer for the small uninstaller to
  // import than asking for its descriptor's length.
  long nPos = ftell(pFile);
  if (nPos < 0 || fseek(pFile, 0, SEEK_END) != 0)
    return -1;
  long nSize = ftell(pFile);
  return fseek(pFile, nPos, SEEK_SET) == 0 ? (int64_t)nSize : -1;
#else
  struct stat st;
  if (fstat(fileno(pFile), &st) != 0)
    return -1;
  return (int64_t)st.st_size;
#endif
}

// Bytes between the read position and the end of the file, or -1.
int64_t BytesLeft(FILE* pFile, int64_t nFileSize)
{
  long nPos = ftell(pFile);
  if (nPos < 0 || nFileSize < nPos)
    return -1;
  return nFileSize - nPos;
}

// One little-endian int32. 0 read, 1 the file ended before the first byte
// (the count keeps its value), -1 it ended inside the count.
int ReadInt32(FILE* pFile, int32_t& nValue)
{
  unsigned char b[4];
  size_t nRead = fread(b, 1, 4, pFile);
  if (nRead == 0)
    return 1;
  if (nRead < 4)
    return -1;
  nValue = (int32_t)((uint32_t)b[0] | ((uint32_t)b[1] << 8) | ((uint32_t)b[2] << 16) | ((uint32_t)b[3] << 24));
  return 0;
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
      m_bAnsi(false)
{}

UninstallData::~UninstallData() { Clear(); }

void UninstallData::Clear()
{
  DeleteObjectArray(m_pInstalled, m_nInstalled);
  DeleteObjectArray(m_pLinks, m_nLinks);
  DeleteObjectArray(m_pGenerated, m_nGenerated);
  m_strAppName.Empty();
  m_bAnsi = false;
}

int UninstallData::Read(const char* lpszPath)
{
  Clear();
  FILE* pFile = OpenFileStream(lpszPath, "rb");
  if (!pFile)
    return 1;

  char magic[4];
  int64_t nFileSize = FileSize(pFile);
  int nResult = 1;
  if (nFileSize >= 4 && fread(magic, 1, 4, pFile) == 4 &&
      (memcmp(magic, kUninstallMagic, 4) == 0 || memcmp(magic, kUninstallMagicAnsi, 4) == 0)) {
    m_bAnsi = memcmp(magic, kUninstallMagicAnsi, 4) == 0;
    if (ReadString(m_strAppName, UNINSTALL_NAME_SIZE, pFile) == 0 &&
        ReadList(pFile, nFileSize, m_nInstalled, m_pInstalled) == 0 &&
        ReadList(pFile, nFileSize, m_nLinks, m_pLinks) == 0 &&
        ReadList(pFile, nFileSize, m_nGenerated, m_pGenerated) == 0)
      nResult = 0;
  }
  fclose(pFile);
  if (nResult != 0)
    Clear();
  return nResult;
}

// A count and its strings. A list that the file's end cuts off before its
// count stays empty: a file may end after any complete list.
int UninstallData::ReadList(FILE* pFile, int64_t nFileSize, int32_t& nCount, CString*& pList)
{
  int32_t nRead = 0;
  int nStatus = ReadInt32(pFile, nRead);
  if (nStatus < 0)
    return 1;
  if (nStatus > 0 || nRead <= 0)
    return 0;

  // Every string takes at least its NUL: a count beyond the bytes left is
  // damage, and allocating for it could ask for gigabytes.
  int64_t nLeft = BytesLeft(pFile, nFileSize);
  if (nLeft < 0 || (int64_t)nRead > nLeft)
    return 1;
  pList = NewObjectArray<CString>(nRead);
  if (!pList)
    return 1;
  nCount = nRead;
  for (int32_t i = 0; i < nCount; i++)
    if (ReadString(pList[i], UNINSTALL_PATH_SIZE, pFile) != 0)
      return 1;
  return 0;
}

int UninstallData::ReadString(CString& strText, int nSlot, FILE* pFile)
{
  // The bytes up to the NUL; the ANSI form keeps at most nSlot - 1 of them
  // and skips the rest.
  strText.Empty();
  for (int c; (c = fgetc(pFile)) != 0;) {
    if (c == EOF)
      return 1;
    if (!m_bAnsi || strText.GetLength() < nSlot - 1)
      strText += (char)c;
  }
  if (!m_bAnsi)
    return IsValidUtf8(strText, (size_t)strText.GetLength()) ? 0 : 1;
  strText = Utf8FromCodePage(kAnsiCodePage, strText, strText.GetLength());
  return 0;
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
  if (m_nLinks <= 0 || !IsShortcutPath(m_pLinks[0]))
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
