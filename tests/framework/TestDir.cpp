#include "TestDir.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
void RemoveTreeWin(const std::string& dir)
{
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string p = dir + "\\" + name;
      SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTreeWin(p);
      else
        DeleteFileA(p.c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}
#else
int RemoveOne(const char* p, const struct stat*, int, struct FTW*)
{
  chmod(p, 0700);
  return remove(p);
}
std::string Host(std::string p)
{
  for (char& c : p)
    if (c == '\\')
      c = '/';
  return p;
}
#endif
}  // namespace

TestDir::TestDir()
{
#ifdef _WIN32
  char tmp[MAX_PATH];
  GetTempPathA(sizeof(tmp), tmp);
  char name[MAX_PATH];
  GetTempFileNameA(tmp, "fw", 0, name);
  DeleteFileA(name);
  CreateDirectoryA(name, NULL);
  m_root = name;
#else
  char tmpl[] = "/tmp/fwtestXXXXXX";
  m_root = mkdtemp(tmpl);
#endif
}

TestDir::~TestDir()
{
#ifdef _WIN32
  RemoveTreeWin(m_root);
#else
  nftw(m_root.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
#endif
}

std::string TestDir::Path(const std::string& name) const { return m_root + "\\" + name; }

void TestDir::WriteFile(const std::string& path, const std::string& bytes)
{
#ifdef _WIN32
  FILE* f = fopen(path.c_str(), "wb");
#else
  FILE* f = fopen(Host(path).c_str(), "wb");
#endif
  if (!f)
    abort();
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

std::string TestDir::ReadFile(const std::string& path)
{
#ifdef _WIN32
  FILE* f = fopen(path.c_str(), "rb");
#else
  FILE* f = fopen(Host(path).c_str(), "rb");
#endif
  if (!f)
    return "<missing>";
  std::string s;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
    s.append(buf, n);
  fclose(f);
  return s;
}

bool TestDir::Exists(const std::string& path)
{
#ifdef _WIN32
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat st;
  return stat(Host(path).c_str(), &st) == 0;
#endif
}
