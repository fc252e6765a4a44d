// Extraction of one entry into a file (or a directory) below a target directory.
#include "zip/ZipReader.h"

#include "zip/ZipPath.h"

namespace {
CString WithoutTrailingBackslashes(const char* lpszDir)
{
  CString strDir(lpszDir);
  int nLength = strDir.GetLength();
  while (nLength > 0 && strDir[nLength - 1] == '\\')
    --nLength;
  return strDir.Left(nLength);
}
}

bool CZipReader::ExtractFile(uint16_t nIndex, const char* lpszDir, bool bFullPath, const char* lpszNewName,
                             ZipProgressCallback pfnProgress, void* pUserData, uint32_t nBufSize)
{
  if (nBufSize == 0 && lpszDir == NULL)
    return false;
  CZipEntryHeader header;
  GetEntryInfo(header, nIndex);  // an invalid index fails when the entry is opened
  CString strName = lpszNewName ? CString(lpszNewName) : header.GetFileName();
  CString strRelative = bFullPath ? GetPathWithoutDrive(strName) : GetNamePart(strName);
  // Nothing may land outside the target directory: refuse before anything is made.
  if (LeavesDirectory(strRelative))
    Raise(ZIP_CODE_UNSAFE_NAME);
  CString strPath = WithoutTrailingBackslashes(lpszDir) + "\\" + strRelative;

  if (IsDirectoryEntry(nIndex)) {
    // A folder that cannot be made (a file of its name is in the way) is a
    // failure like a file that cannot be written, not a success.
    if (!MakeDirectoryPath(strPath))
      CFileException::Throw(CFileException::badPath, -1, strPath);
    SetFileAttributesA(strPath, header.GetDosAttributes());
    return true;
  }
  if (nBufSize == 0 || !OpenEntry(nIndex))
    return false;
  MakeDirectoryPath(GetDirPart(strPath));
  CFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);

  CZipBuffer buffer;
  uint8_t* pBuffer = buffer.Allocate(nBufSize);
  uint32_t nWritten = 0;
  uint32_t nRead = 0;
  do {
    nRead = ReadEntry(pBuffer, nBufSize);
    if (nRead > 0) {
      file.Write(pBuffer, nRead);
      nWritten += nRead;
      if (pfnProgress && !pfnProgress(nWritten, header.m_nSize, pUserData))
        break;
    }
  } while (nRead == nBufSize);
  return CloseEntry(file) == 1;
}
