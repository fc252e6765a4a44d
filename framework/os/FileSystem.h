// The file system's calls that take a path: the one place where the programs
// hand names of files and folders to the system (Win32, or POSIX for the
// portable parts, where a backslash becomes '/'). Plain C++ without
// exceptions or CString, so that the uninstaller uses them as setup does.
//
// Failure convention: each call says what it did in its result (true, or a
// named outcome); nothing is thrown and nothing is left in errno.
//
// On Windows the calls are inlined where they are used, as the bare calls
// were: a program imports only what it calls.
#pragma once
#include <stdint.h>
#include <stdio.h>

// How MakeFolder ended.
enum FolderMade
{
  kFolderMade,
  kFolderExists,         // something of that name is there (a folder or a file)
  kFolderParentMissing,  // a part of the path does not exist
  kFolderRefused,        // access denied, a bad name, a drive root...
};

// One level: the parent must exist.
FolderMade MakeFolder(const char* lpszPath);
// An empty folder only.
bool RemoveFolder(const char* lpszPath);
// A file, not a folder; a read-only file is refused.
bool RemoveFile(const char* lpszPath);
// A file or folder to a new name on the same volume; an existing target is
// not replaced.
bool RenamePath(const char* lpszFrom, const char* lpszTo);

// The attribute bits (FILE_ATTRIBUTE_...), or kNoAttributes when nothing
// is there or it cannot be examined. On POSIX: the directory bit, and the
// read-only bit for a file its owner cannot write.
const uint32_t kNoAttributes = 0xFFFFFFFF;
uint32_t GetPathAttributes(const char* lpszPath);
bool SetPathAttributes(const char* lpszPath, uint32_t nAttributes);
inline bool PathIsPresent(const char* lpszPath) { return GetPathAttributes(lpszPath) != kNoAttributes; }
bool IsFolder(const char* lpszPath);

bool SetCurrentFolder(const char* lpszPath);

// The drive that lpszRoot ("X:\") names is a removable one (a floppy).
bool IsRemovableDriveRoot(const char* lpszRoot);

// The free space of the drive whose root is lpszRoot ("X:\"), as the system
// counts it. false when it cannot be told.
struct DriveSpace
{
  uint32_t nSectorsPerCluster;
  uint32_t nBytesPerSector;
  uint32_t nFreeClusters;
};
bool GetDriveSpace(const char* lpszRoot, DriveSpace& space);

// fopen for a path of the programs' own text.
FILE* OpenFileStream(const char* lpszPath, const char* lpszMode);
// What was written to the stream, on the disk itself (not only handed to
// the system), so that it outlives a power cut.
bool FlushToDisk(FILE* pFile);

#ifdef _WIN32
#include "framework/os/FileSystem_win32.h"
#endif
