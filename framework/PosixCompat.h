// POSIX stand-ins for the Win32 types and the few Win32 names the portable
// code uses. Paths keep Windows syntax inside the program; a backslash
// becomes a '/' only at the file-system boundary (HostPath, and
// framework/os/FileSystem_posix.cpp).
#pragma once
#ifndef _WIN32

#include <stdint.h>
#include <stddef.h>
#include <time.h>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
typedef char* LPSTR;
typedef char* LPTSTR;
typedef void* LPVOID;
typedef void* HANDLE;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256
#define MAX_PATH 260

#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3

#define FILE_ATTRIBUTE_READONLY 0x01
#define FILE_ATTRIBUTE_HIDDEN 0x02
#define FILE_ATTRIBUTE_SYSTEM 0x04
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_ARCHIVE 0x20
#define FILE_ATTRIBUTE_NORMAL 0x80
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

// A Windows path turned into the host's: every backslash becomes '/'.
// The result lives in the caller's buffer of bufSize bytes.
const char* HostPath(const char* path, char* buf, size_t bufSize);

#endif
