// Extraction of one entry into a file (or a directory) below a target directory.
#include "zip/ZipReader.h"
#include "framework/os/FileSystem.h"

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

// Every file call is a round trip under wine, so an entry costs as few as
// the work needs. The file is created where its folder should be; only
// when that folder is missing are the folders made, and it is tried again.
void CreateTarget(CFile& file, const CString& strPath)
{
  const UINT nFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite;
  CFileException error;
  if (file.Open(strPath, nFlags, &error))
    return;
  if (error.m_cause == CFileException::badPath || error.m_cause == CFileException::fileNotFound) {
    MakeDirectoryPath(GetDirPart(strPath));
    if (file.Open(strPath, nFlags, &error))
      return;
  }
  CFileException::ThrowOsError(error.m_lOsError, strPath);
}

// The entry's attributes, set only where the new file does not have them
// already (most entries are plain archive files, as a new file is).
bool SetAttributes(const char* lpszPath, uint32_t nAttributes)
{
#ifdef _WIN32
  if (GetPathAttributes(lpszPath) == nAttributes)
    return true;
#endif
  return SetPathAttributes(lpszPath, nAttributes);
}
}  // namespace

bool CZipReader::ExtractFile(uint16_t nIndex, const char* lpszDir, bool bFullPath, const char* lpszNewName,
                             ZipProgressCallback pfnProgress, void* pUserData, uint32_t nBufSize)
{
  m_nExtractClose = ZIP_CLOSE_NOTHING_OPEN;
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
    SetPathAttributes(strPath, header.GetDosAttributes());
    return true;
  }
  if (nBufSize == 0 || !OpenEntry(nIndex))
    return false;
  CFile file;
  CreateTarget(file, strPath);

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

  // The checks first; then the times through the open file, which spares
  // opening it again by name, and the attributes once it is closed.
  const int32_t nResult = m_nExtractClose = CloseEntry(NULL, false);
  CFileStatus status = {};
  status.m_ctime = status.m_atime = CTime::GetCurrentTime();
  status.m_mtime = header.GetTime();
  try {
    file.SetTimes(status);
    file.Close();
  } catch (CException* e) {
    e->Delete();
    return false;
  }
  return SetAttributes(strPath, header.GetDosAttributes()) && nResult == ZIP_CLOSE_DONE;
}
