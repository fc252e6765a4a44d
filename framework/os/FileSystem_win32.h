// The Win32 side of FileSystem.h, inlined where it is used.
#pragma once
#include <windows.h>

FS_CALL FolderMade MakeFolder(const char* lpszPath)
{
  if (::CreateDirectoryA(lpszPath, NULL))
    return kFolderMade;
  switch (::GetLastError()) {
  case ERROR_ALREADY_EXISTS:
  case ERROR_FILE_EXISTS: return kFolderExists;
  case ERROR_PATH_NOT_FOUND:
  case ERROR_FILE_NOT_FOUND: return kFolderParentMissing;
  default: return kFolderRefused;
  }
}

FS_CALL bool RemoveFolder(const char* lpszPath) { return ::RemoveDirectoryA(lpszPath) != FALSE; }

FS_CALL bool RemoveFile(const char* lpszPath) { return ::DeleteFileA(lpszPath) != FALSE; }

FS_CALL bool RenamePath(const char* lpszFrom, const char* lpszTo) { return ::MoveFileA(lpszFrom, lpszTo) != FALSE; }

FS_CALL uint32_t GetPathAttributes(const char* lpszPath) { return ::GetFileAttributesA(lpszPath); }

FS_CALL bool SetPathAttributes(const char* lpszPath, uint32_t nAttributes)
{
  return ::SetFileAttributesA(lpszPath, nAttributes) != FALSE;
}

FS_CALL bool IsFolder(const char* lpszPath)
{
  const DWORD nAttributes = ::GetFileAttributesA(lpszPath);
  return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FS_CALL bool SetCurrentFolder(const char* lpszPath) { return ::SetCurrentDirectoryA(lpszPath) != FALSE; }

FS_CALL bool IsRemovableDriveRoot(const char* lpszRoot) { return ::GetDriveTypeA(lpszRoot) == DRIVE_REMOVABLE; }

FS_CALL bool GetDriveSpace(const char* lpszRoot, DriveSpace& space)
{
  DWORD nClusters;
  return ::GetDiskFreeSpaceA(lpszRoot, reinterpret_cast<DWORD*>(&space.nSectorsPerCluster),
                             reinterpret_cast<DWORD*>(&space.nBytesPerSector),
                             reinterpret_cast<DWORD*>(&space.nFreeClusters), &nClusters) != FALSE;
}

FS_CALL FILE* OpenFileStream(const char* lpszPath, const char* lpszMode) { return fopen(lpszPath, lpszMode); }
