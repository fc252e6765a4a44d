#ifndef _WIN32
#include "framework/PosixCompat.h"

#include <string>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string ToHost(const char* path)
{
  std::string s = path ? path : "";
  for (char& c : s)
    if (c == '\\')
      c = '/';
  return s;
}
}  // namespace

const char* HostPath(const char* path, char* buf, size_t bufSize)
{
  std::string s = ToHost(path);
  if (bufSize == 0)
    return buf;
  size_t n = s.size() < bufSize - 1 ? s.size() : bufSize - 1;
  memcpy(buf, s.data(), n);
  buf[n] = 0;
  return buf;
}

// Only the read-only bit has a POSIX counterpart: it clears or restores the
// owner's write permission.
BOOL SetFileAttributesA(LPCSTR path, DWORD attributes)
{
  std::string p = ToHost(path);
  struct stat st;
  if (stat(p.c_str(), &st) != 0)
    return FALSE;
  mode_t mode = st.st_mode & 07777;
  if (attributes & FILE_ATTRIBUTE_READONLY)
    mode &= ~(mode_t)(S_IWUSR | S_IWGRP | S_IWOTH);
  else
    mode |= S_IWUSR;
  return chmod(p.c_str(), mode) == 0;
}

BOOL CreateDirectoryA(LPCSTR path, void*) { return mkdir(ToHost(path).c_str(), 0777) == 0; }

// Drives A: and B: are floppy drives by tradition; everything else is fixed.
UINT GetDriveTypeA(LPCSTR root)
{
  if (root && (root[0] == 'A' || root[0] == 'a' || root[0] == 'B' || root[0] == 'b') && root[1] == ':')
    return DRIVE_REMOVABLE;
  return DRIVE_FIXED;
}

int _rmdir(const char* path) { return rmdir(ToHost(path).c_str()); }
int _chdir(const char* path) { return chdir(ToHost(path).c_str()); }
char* _getcwd(char* buf, int size) { return getcwd(buf, (size_t)size); }
int _unlink(const char* path) { return unlink(ToHost(path).c_str()); }
#endif
