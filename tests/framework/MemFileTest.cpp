#include <gtest/gtest.h>

#include "framework/MemFile.h"

TEST(CMemFile, AttachedBufferIsTheWholeFileAndStaysTheCallers)
{
  BYTE buf[10] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};
  {
    CMemFile f(1024);
    f.Attach(buf, sizeof(buf), 0);
    EXPECT_EQ(10u, f.GetLength());
    char out[4];
    EXPECT_EQ(4u, f.Read(out, 4));
    EXPECT_EQ(0, memcmp(out, "0123", 4));
    EXPECT_EQ(7, f.Seek(-3, CFile::end));
    EXPECT_EQ(3u, f.Read(out, 4));
    EXPECT_EQ(0u, f.Read(out, 4));
    EXPECT_EQ(0, memcmp(out, "789", 3));
  }  // destruction must not free buf (ASan would report it)
  EXPECT_EQ('9', buf[9]);
}

TEST(CMemFile, ANonGrowingFileRefusesToGrow)
{
  BYTE buf[4] = {0};
  CMemFile f(buf, sizeof(buf), 0);
  f.Write("ab", 2);
  EXPECT_EQ('a', buf[0]);
  try {
    f.Write("xyz", 3);
    FAIL() << "a write past the attached buffer must throw";
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::diskFull, e->m_cause);
    e->Delete();
  }
  EXPECT_EQ(4u, f.GetLength());
}

TEST(CMemFile, SeeksPastTheEndReadNothingAndBeforeTheStartThrow)
{
  BYTE buf[8] = {0};
  CMemFile f(buf, sizeof(buf), 0);
  EXPECT_EQ(100, f.Seek(100, CFile::begin));
  char c;
  EXPECT_EQ(0u, f.Read(&c, 1));
  try {
    f.Seek(-9, CFile::end);
    FAIL();
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::badSeek, e->m_cause);
    e->Delete();
  }
}

TEST(CMemFile, GrowsItsOwnBufferAndHasNoName)
{
  CMemFile f(16);
  std::string text(1000, 'q');
  f.Write(text.data(), (UINT)text.size());
  EXPECT_EQ(1000u, f.GetLength());
  f.Seek(0, CFile::begin);
  std::string back(1000, 0);
  EXPECT_EQ(1000u, f.Read(&back[0], 1000));
  EXPECT_EQ(text, back);
  EXPECT_STREQ("", f.GetFilePath());

  CFileException err;
  EXPECT_FALSE(f.Open("archive.001", CFile::modeRead, &err));
  EXPECT_NE(CFileException::none, err.m_cause);
}
