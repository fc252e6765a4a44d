// The Win32 side of FileSystem.h, compiled into each program that uses it,
// so that it imports only what it calls: each call takes its path as
// UTF-16, through CWidePath (so a long one too).
#pragma once
#include <windows.h>

#include <io.h>

#include "framework/os/Unicode.h"

// Defined here, in each program that includes them, and kept out of line
// (GCC warns when an inline declaration gets the attribute, so only the
// definitions carry both).
#define FS_CALL inline __attribute__((noinline))

FS_CALL FolderMade MakeFolder(const char* lpszPath)
{
  if (::CreateDirectoryW(CWidePath(lpszPath), NULL))
    return kFolderMade;
  switch (::GetLastError()) {
  case ERROR_ALREADY_EXISTS:
  case ERROR_FILE_EXISTS: return kFolderExists;
  case ERROR_PATH_NOT_FOUND:
  case ERROR_FILE_NOT_FOUND: return kFolderParentMissing;
  default: return kFolderRefused;
  }
}

FS_CALL bool RemoveFolder(const char* lpszPath) { return ::RemoveDirectoryW(CWidePath(lpszPath)) != FALSE; }

FS_CALL bool RemoveFile(const char* lpszPath) { return ::DeleteFileW(CWidePath(lpszPath)) != FALSE; }

FS_CALL bool RenamePath(const char* lpszFrom, const char* lpszTo)
{
  return ::MoveFileW(CWidePath(lpszFrom), CWidePath(lpszTo)) != FALSE;
}

FS_CALL uint32_t GetPathAttributes(const char* lpszPath) { return ::GetFileAttributesW(CWidePath(lpszPath)); }

FS_CALL bool SetPathAttributes(const char* lpszPath, uint32_t nAttributes)
{
  return ::SetFileAttributesW(CWidePath(lpszPath), nAttributes) != FALSE;
}

FS_CALL bool IsFolder(const char* lpszPath)
{
  const DWORD nAttributes = GetPathAttributes(lpszPath);
  return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FS_CALL bool SetCurrentFolder(const char* lpszPath) { return ::SetCurrentDirectoryW(CWideText(lpszPath)) != FALSE; }

FS_CALL bool IsRemovableDriveRoot(const char* lpszRoot)
{
  return ::GetDriveTypeW(CWideText(lpszRoot)) == DRIVE_REMOVABLE;
}

FS_CALL bool GetDriveSpace(const char* lpszRoot, DriveSpace& space)
{
  DWORD nClusters;
  return ::GetDiskFreeSpaceW(CWideText(lpszRoot), reinterpret_cast<DWORD*>(&space.nSectorsPerCluster),
                             reinterpret_cast<DWORD*>(&space.nBytesPerSector),
                             reinterpret_cast<DWORD*>(&space.nFreeClusters), &nClusters) != FALSE;
}

FS_CALL FILE* OpenFileStream(const char* lpszPath, const char* lpszMode)
{
  return ::_wfopen(CWidePath(lpszPath), CWideText(lpszMode));
}

FS_CALL bool FlushToDisk(FILE* pFile)
{
  return fflush(pFile) == 0 &&
         ::FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pFile)))) != FALSE;
}

#undef FS_CALL
