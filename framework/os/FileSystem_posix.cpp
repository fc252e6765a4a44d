#ifndef _WIN32
#include "framework/os/FileSystem.h"

#include <errno.h>
#include <stdio.h>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "framework/PosixCompat.h"

namespace {

// Inside the programs paths keep Windows syntax.
std::string Host(const char* lpszPath)
{
  std::string s = lpszPath != NULL ? lpszPath : "";
  for (char& c : s)
    if (c == '\\')
      c = '/';
  return s;
}

}  // namespace

FolderMade MakeFolder(const char* lpszPath)
{
  if (mkdir(Host(lpszPath).c_str(), 0777) == 0)
    return kFolderMade;
  switch (errno) {
  case EEXIST: return kFolderExists;
  case ENOENT: return kFolderParentMissing;
  default: return kFolderRefused;
  }
}

bool RemoveFolder(const char* lpszPath) { return rmdir(Host(lpszPath).c_str()) == 0; }

bool RemoveFile(const char* lpszPath)
{
  // As on Windows: a read-only file (one its owner cannot write) stays.
  const uint32_t nAttributes = GetPathAttributes(lpszPath);
  if (nAttributes != kNoAttributes && (nAttributes & FILE_ATTRIBUTE_READONLY))
    return false;
  return unlink(Host(lpszPath).c_str()) == 0;
}

bool RenamePath(const char* lpszFrom, const char* lpszTo)
{
  const std::string strTo = Host(lpszTo);
  struct stat st;
  if (lstat(strTo.c_str(), &st) == 0)
    return false;
  return rename(Host(lpszFrom).c_str(), strTo.c_str()) == 0;
}

uint32_t GetPathAttributes(const char* lpszPath)
{
  struct stat st;
  if (stat(Host(lpszPath).c_str(), &st) != 0)
    return kNoAttributes;
  if (S_ISDIR(st.st_mode))
    return FILE_ATTRIBUTE_DIRECTORY;
  return (st.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
}

// Only the read-only bit has a POSIX counterpart: it clears or restores the
// owner's write permission.
bool SetPathAttributes(const char* lpszPath, uint32_t nAttributes)
{
  const std::string strPath = Host(lpszPath);
  struct stat st;
  if (stat(strPath.c_str(), &st) != 0)
    return false;
  mode_t mode = st.st_mode & 07777;
  if (nAttributes & FILE_ATTRIBUTE_READONLY)
    mode &= ~(mode_t)(S_IWUSR | S_IWGRP | S_IWOTH);
  else
    mode |= S_IWUSR;
  return chmod(strPath.c_str(), mode) == 0;
}

bool IsFolder(const char* lpszPath)
{
  struct stat st;
  return stat(Host(lpszPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SetCurrentFolder(const char* lpszPath) { return chdir(Host(lpszPath).c_str()) == 0; }

// Drives A: and B: are floppy drives by tradition; everything else is fixed.
bool IsRemovableDriveRoot(const char* lpszRoot)
{
  return lpszRoot != NULL && (lpszRoot[0] == 'A' || lpszRoot[0] == 'a' || lpszRoot[0] == 'B' || lpszRoot[0] == 'b') &&
         lpszRoot[1] == ':';
}

// A drive letter means nothing here: the space is the current folder's.
bool GetDriveSpace(const char*, DriveSpace& space)
{
  struct statvfs fs;
  if (statvfs(".", &fs) != 0)
    return false;
  space.nSectorsPerCluster = 1;
  space.nBytesPerSector = static_cast<uint32_t>(fs.f_frsize);
  space.nFreeClusters = fs.f_bavail > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(fs.f_bavail);
  return true;
}

FILE* OpenFileStream(const char* lpszPath, const char* lpszMode) { return fopen(Host(lpszPath).c_str(), lpszMode); }

bool FlushToDisk(FILE* pFile) { return fflush(pFile) == 0 && fsync(fileno(pFile)) == 0; }
#endif
