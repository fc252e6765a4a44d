#include "zip/ZipPath.h"
#include "framework/os/FileSystem.h"

#include <limits.h>
#include <stdlib.h>

#include "framework/os/ObjectArray.h"
#include "framework/os/Unicode.h"

namespace {
// The longest path the platform's file calls take, in characters: Windows'
// with its long-path prefix ("\\?\"), which the file calls add.
#ifdef _WIN32
const int kMaxPath = 32767 - 8;
#else
const int kMaxPath = PATH_MAX;
#endif

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A path in the four parts of the runtime's _splitpath: drive ("C:"),
// directory with its trailing separator, name, extension with its dot. Ours
// works on strings of any length, where _splitpath fills fixed buffers.
struct CPathParts
{
  CString strDrive;
  CString strDir;
  CString strName;
  CString strExt;
};

CPathParts SplitPath(const char* lpszPath)
{
  CPathParts parts;
  const char* p = lpszPath ? lpszPath : "";
  if (p[0] && p[1] == ':') {
    parts.strDrive = CString(p, 2);
    p += 2;
  }
  const char* pName = p;
  for (const char* q = p; *q; ++q)
    if (IsSeparator(*q))
      pName = q + 1;
  parts.strDir = CString(p, (int)(pName - p));
  const char* pDot = strrchr(pName, '.');
  if (pDot) {
    parts.strName = CString(pName, (int)(pDot - pName));
    parts.strExt = pDot;
  } else {
    parts.strName = pName;
  }
  return parts;
}

CString WithoutTrailingSeparators(const char* lpszPath)
{
  CString strPath(lpszPath);
  int nLength = strPath.GetLength();
  while (nLength > 0 && IsSeparator(strPath[nLength - 1]))
    --nLength;
  return strPath.Left(nLength);
}

// "..", and forms that Windows trims to it: only dots and spaces, two dots or more.
bool IsParentComponent(const char* p, size_t nLength)
{
  size_t nDots = 0;
  for (size_t i = 0; i < nLength; ++i) {
    if (p[i] == '.')
      ++nDots;
    else if (p[i] != ' ')
      return false;
  }
  return nDots >= 2;
}
}  // namespace

CString GetDirPart(const char* path)
{
  CPathParts parts = SplitPath(path);
  return parts.strDrive + parts.strDir;
}

CString GetTitlePart(const char* path) { return SplitPath(path).strName; }

CString GetNamePart(const char* path)
{
  CPathParts parts = SplitPath(path);
  return parts.strName + parts.strExt;
}

CString GetPathWithoutDrive(const char* path)
{
  CPathParts parts = SplitPath(path);
  const char* pDir = parts.strDir;
  while (IsSeparator(*pDir))
    ++pDir;
  return CString(pDir) + parts.strName + parts.strExt;
}

CString GetDrivePart(const char* path) { return SplitPath(path).strDrive; }

bool LeavesDirectory(const char* path)
{
  const char* p = path ? path : "";
  for (;;) {
    const char* pEnd = p;
    while (*pEnd && !IsSeparator(*pEnd))
      ++pEnd;
    if (IsParentComponent(p, (size_t)(pEnd - p)))
      return true;
    if (!*pEnd)
      return false;
    p = pEnd + 1;
  }
}

bool IsRemovableDrive(const char* path)
{
  CString strDrive = GetDrivePart(path);
  if (strDrive.IsEmpty())
    return false;
  return IsRemovableDriveRoot(strDrive + "\\");
}

bool IsExistingDirectory(const char* path) { return IsFolder(path); }

int32_t PathExists(const char* path)
{
  CFileFind finder;
  if (finder.FindFile(path)) {
    finder.FindNextFile();
    return finder.IsDirectory() ? -1 : 1;
  }
  // Roots such as C:\ are not found by a search, but can be entered.
  return IsExistingDirectory(path) ? -1 : 0;
}

// Walks up to the first directory that exists, then creates the missing ones
// from there down. A loop, not recursion: a name with thousands of
// components must not exhaust the stack. A path longer than the platform
// takes could never be made, so none of its parents are made either.
bool MakeDirectoryPath(const char* path)
{
  const CString strFull = WithoutTrailingSeparators(path);
  if (WideLength(strFull) > kMaxPath)
    return false;
  // Every missing directory is a leading part of the path: keep its length.
  int32_t* pMissing = NULL;
  int32_t nMissing = 0, nCapacity = 0;
  bool bMade = true;
  CString strPath = strFull;
  for (;;) {
    CString strParent = GetDirPart(strPath);
    if (strParent == strPath || PathExists(strPath) == -1)
      break;
    if (!MakeRoomByDoubling(pMissing, nMissing, nCapacity, 16)) {
      bMade = false;
      break;
    }
    pMissing[nMissing++] = strPath.GetLength();
    strPath = WithoutTrailingSeparators(strParent);
  }
  while (bMade && nMissing > 0)
    bMade = MakeFolder(strFull.Left(pMissing[--nMissing])) == kFolderMade;
  free(pMissing);
  return bMade;
}
