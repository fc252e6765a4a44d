// The path functions: splitting like the runtime's _splitpath, but for
// names of any length, and directory creation from the root down.
#include <gtest/gtest.h>

#include "ZipTestSupport.h"
#include "zip/ZipPath.h"

TEST(ZipPath, splits_into_drive_directory_title_and_extension)
{
  const char* path = "C:\\dir\\sub.d/file.tar.gz";
  EXPECT_STREQ(GetDrivePart(path), "C:");
  EXPECT_STREQ(GetDirPart(path), "C:\\dir\\sub.d/");
  EXPECT_STREQ(GetTitlePart(path), "file.tar");
  EXPECT_STREQ(GetNamePart(path), "file.tar.gz");
  EXPECT_STREQ(GetPathWithoutDrive(path), "dir\\sub.d/file.tar.gz");
  EXPECT_STREQ(GetPathWithoutDrive("\\\\server\\share\\x.txt"), "server\\share\\x.txt");
  EXPECT_STREQ(GetPathWithoutDrive("C:sub\\x"), "sub\\x");
  EXPECT_STREQ(GetDirPart("C:"), "C:");
  EXPECT_STREQ(GetDirPart("name"), "");
  EXPECT_STREQ(GetNamePart("dir\\"), "");
  EXPECT_STREQ(GetTitlePart(".profile"), "");
  EXPECT_STREQ(GetDirPart(NULL), "");
}

TEST(ZipPath, names_longer_than_the_runtime_buffers_split_whole)
{
  std::string dir = "C:\\" + std::string(300, 'd') + "\\";
  std::string title(5000, 't');
  std::string path = dir + title + "." + std::string(400, 'e');
  EXPECT_EQ(std::string(GetDirPart(path.c_str())), dir);
  EXPECT_EQ(std::string(GetTitlePart(path.c_str())), title);
  EXPECT_EQ(GetNamePart(path.c_str()).GetLength(), 5401);
  EXPECT_EQ(GetPathWithoutDrive(path.c_str()).GetLength(), (int)path.size() - 3);
}

TEST(ZipPath, parent_components_leave_the_directory)
{
  for (const char* path : {"..", "..\\x", "a\\..\\..\\x", "a/../b", "a\\...\\b", "a\\. .\\b", "x\\.. "})
    EXPECT_TRUE(LeavesDirectory(path)) << path;
  for (const char* path : {"", ".", "a..b", "..hidden", "a\\.\\b", "dir\\file..", "a\\ . \\b"})
    EXPECT_FALSE(LeavesDirectory(path)) << path;
}

TEST(ZipPath, makes_missing_parents_from_the_root_down)
{
  CScratchDir dir;
  std::string deep = dir.Path() + "\\a\\b b\\c\\\\";
  EXPECT_EQ(PathExists(deep.c_str()), 0);
  EXPECT_TRUE(MakeDirectoryPath(deep.c_str()));
  EXPECT_TRUE(fs::is_directory(dir.Fs() / "a" / "b b" / "c"));
  EXPECT_EQ(PathExists((dir.Path() + "\\a\\b b").c_str()), -1);
  EXPECT_TRUE(MakeDirectoryPath(deep.c_str()));  // already there
  EXPECT_TRUE(IsExistingDirectory(dir.Path().c_str()));

  // A file in the way cannot become a directory.
  LoadFile(FixturePath("tree/readme.txt"));
  fs::copy_file(fs::u8path(FixturePath("tree/readme.txt")), dir.Fs() / "file");
  EXPECT_EQ(PathExists((dir.Path() + "\\file").c_str()), 1);
  EXPECT_FALSE(MakeDirectoryPath((dir.Path() + "\\file\\sub").c_str()));
  EXPECT_FALSE(IsExistingDirectory((dir.Path() + "\\file").c_str()));
}

TEST(ZipPath, thousands_of_components_do_not_exhaust_the_stack)
{
  CScratchDir dir;
  std::string deep = dir.Path();
  for (int i = 0; i < 30000; ++i)
    deep += "\\d";
  // Too long for any file system: nothing is made, and it returns.
  EXPECT_FALSE(MakeDirectoryPath(deep.c_str()));
  EXPECT_TRUE(fs::is_empty(dir.Fs()));
}
