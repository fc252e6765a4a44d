// Which recorded names setup and the uninstaller may touch, and the paths
// they join from them.
#include <gtest/gtest.h>

#include "common/InstallNames.h"

TEST(IsInsideInstallation, RelativeNamesBelowTheDirectoryPass)
{
  for (const char* name : {"tool.exe", "help\\tool.hlp", "a\\b\\", "sub/dir/x", ".hidden", "a..b", "x\\.\\y", "..a"})
    EXPECT_TRUE(IsInsideInstallation(name)) << name;
}

TEST(IsInsideInstallation, NamesThatLeaveOrNameNothingAreRefused)
{
  for (const char* name : {"", ".", ".\\", "..", "..\\up.txt", "a\\..\\..\\up", "a\\..", "a/../b", "\\root.txt",
                           "/root", "C:\\abs.txt", "C:drive.txt", "file.txt:stream", ". .\\x", "...\\x", "a\\ ..\\b"})
    EXPECT_FALSE(IsInsideInstallation(name)) << "'" << name << "'";
}

TEST(IsRegistrableAppName, OnlyANameOfItsOwnKey)
{
  EXPECT_TRUE(IsRegistrableAppName("Sample Viewer"));
  EXPECT_TRUE(IsRegistrableAppName("Caf\xe9 2.0"));
  EXPECT_FALSE(IsRegistrableAppName(""));
  EXPECT_FALSE(IsRegistrableAppName("Vendor\\Tool"));
  EXPECT_FALSE(IsRegistrableAppName("Tool\\"));
}

// Quoted as setup writes it now, bare as installations before wrote it.
TEST(UninstallerPathOf, QuotedOrBare)
{
  EXPECT_STREQ("C:\\Program Files\\App\\uninstall.exe",
               UninstallerPathOf("\"C:\\Program Files\\App\\uninstall.exe\""));
  EXPECT_STREQ("C:\\App\\uninstall.exe", UninstallerPathOf("C:\\App\\uninstall.exe"));
  EXPECT_STREQ("C:\\A B\\uninstall.exe", UninstallerPathOf("\"C:\\A B\\uninstall.exe\" /S"));
  EXPECT_STREQ("C:\\open", UninstallerPathOf("\"C:\\open"));
}

// A join that needs every byte of the buffer fits; one byte more would cut
// the name, so nothing is left in the buffer instead.
