#include <gtest/gtest.h>

#include "framework/os/FileSystem.h"
#include "TestDir.h"
#include <set>
#include "framework/afx.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {
bool IsReadOnly(const std::string& path)
{
#ifdef _WIN32
  return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
#else
  char host[4096];
  struct stat st;
  return stat(HostPath(path.c_str(), host, sizeof(host)), &st) == 0 && !(st.st_mode & S_IWUSR);
#endif
}

time_t ModificationTime(const std::string& path)
{
#ifdef _WIN32
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return 0;
  ULONGLONG t = ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
  return (time_t)((t - 116444736000000000ULL) / 10000000ULL);
#else
  char host[4096];
  struct stat st;
  return stat(HostPath(path.c_str(), host, sizeof(host)), &st) == 0 ? st.st_mtime : 0;
#endif
}
}  // namespace

TEST(CFile, WritesReadsAndSeeks)
{
  TestDir dir;
  std::string path = dir.Path("data.bin");
  {
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    f.Write("hello, world", 12);
    EXPECT_STREQ(path.c_str(), f.GetFilePath());
  }
  EXPECT_EQ("hello, world", TestDir::ReadFile(path));

  CFile f;
  ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
  EXPECT_EQ(12u, f.GetLength());
  EXPECT_EQ(7, f.Seek(-5, CFile::end));
  char buf[16] = {0};
  EXPECT_EQ(5u, f.Read(buf, 10));
  EXPECT_STREQ("world", buf);
  EXPECT_EQ(12u, f.GetPosition());
  EXPECT_EQ(0u, f.Read(buf, 10));
  f.Close();
  EXPECT_FALSE(f.IsOpen());
}

TEST(CFile, CreatingTruncatesAnExistingFile)
{
  TestDir dir;
  std::string path = dir.Path("old.txt");
  TestDir::WriteFile(path, "a much longer old content");
  CFile(path.c_str(), CFile::modeCreate | CFile::modeWrite).Write("new", 3);
  EXPECT_EQ("new", TestDir::ReadFile(path));
}

TEST(CFile, OpenReportsAndTheConstructorThrows)
{
  TestDir dir;
  std::string missing = dir.Path("none.txt");
  CFile f;
  CFileException err;
  EXPECT_FALSE(f.Open(missing.c_str(), CFile::modeRead, &err));
  EXPECT_EQ(CFileException::fileNotFound, err.m_cause);
  EXPECT_STREQ(missing.c_str(), err.m_strFileName);

  try {
    CFile g(dir.Path("no\\such\\dir\\x.txt").c_str(), CFile::modeCreate | CFile::modeWrite);
    FAIL() << "creating a file in a missing folder must throw";
  } catch (CFileException* e) {
    EXPECT_NE(CFileException::none, e->m_cause);
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
    e->Delete();
  }

  // A name that ends in a backslash is a folder, not a file to create.
  try {
    CFile g(dir.Path("sub\\").c_str(), CFile::modeCreate | CFile::modeWrite);
    FAIL() << "a name ending in a backslash must not become a file";
  } catch (CFileException* e) {
    e->Delete();
  }
}

TEST(CFile, SetStatusSetsTheWriteTimeAndTheReadOnlyBit)
{
  TestDir dir;
  std::string path = dir.Path("stamped.txt");
  TestDir::WriteFile(path, "x");
  CFileStatus status = {};
  status.m_mtime = CTime(2001, 2, 3, 4, 5, 6);
  status.m_atime = status.m_ctime = CTime::GetCurrentTime();
  status.m_attribute = 0;
  CFile::SetStatus(path.c_str(), status);
  EXPECT_EQ(status.m_mtime.GetTime(), ModificationTime(path));
  EXPECT_FALSE(IsReadOnly(path));

  EXPECT_TRUE(SetPathAttributes(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(IsReadOnly(path));
  // A read-only file still takes new times.
  status.m_mtime = CTime(2010, 1, 1, 0, 0, 0);
  status.m_attribute = CFile::readOnly;
  CFile::SetStatus(path.c_str(), status);
  EXPECT_EQ(status.m_mtime.GetTime(), ModificationTime(path));
  EXPECT_TRUE(IsReadOnly(path));
  EXPECT_TRUE(SetPathAttributes(path.c_str(), FILE_ATTRIBUTE_NORMAL));

  try {
    CFile::SetStatus(dir.Path("missing").c_str(), status);
    FAIL();
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
    e->Delete();
  }
}

TEST(CTime, DosDateAndTimeAreLocalCalendarFields)
{
  // 2019-06-30 23:59:58: date (39 << 9) | (6 << 5) | 30, time (23 << 11) | (59 << 5) | 29
  CTime t((WORD)((39 << 9) | (6 << 5) | 30), (WORD)((23 << 11) | (59 << 5) | 29));
  struct tm tm;
  ASSERT_NE(nullptr, t.GetLocalTm(&tm));
  EXPECT_EQ(2019, tm.tm_year + 1900);
  EXPECT_EQ(5, tm.tm_mon);
  EXPECT_EQ(30, tm.tm_mday);
  EXPECT_EQ(23, tm.tm_hour);
  EXPECT_EQ(59, tm.tm_min);
  EXPECT_EQ(58, tm.tm_sec);
  EXPECT_EQ(CTime(2019, 6, 30, 23, 59, 58), t);
}

TEST(CFileFind, FindsNamesPatternsAndFolders)
{
  TestDir dir;
  TestDir::WriteFile(dir.Path("a.txt"), "1");
  TestDir::WriteFile(dir.Path("b.dat"), "2");
  ASSERT_EQ(kFolderMade, MakeFolder(dir.Path("sub").c_str()));

  CFileFind find;
  ASSERT_TRUE(find.FindFile(dir.Path("sub").c_str()));
  EXPECT_FALSE(find.FindNextFile()) << "one match: stepping to it is stepping to the last";
  EXPECT_TRUE(find.IsDirectory());
  EXPECT_STREQ("sub", find.GetFileName());

  ASSERT_TRUE(find.FindFile(dir.Path("a.txt").c_str()));
  find.FindNextFile();
  EXPECT_FALSE(find.IsDirectory());

  EXPECT_FALSE(find.FindFile(dir.Path("missing").c_str()));

  std::set<std::string> names;
  ASSERT_TRUE(find.FindFile(dir.Path("*.*").c_str()));
  BOOL more = TRUE;
  while (more) {
    more = find.FindNextFile();
    names.insert(static_cast<const char*>(find.GetFileName()));
  }
  EXPECT_TRUE(names.count("a.txt") && names.count("b.dat") && names.count("sub"));
}
