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

#endif
