// uninstall.dat as setup writes it: the exact bytes, and what the shared
// reader makes of them.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include "../framework/TestDir.h"
#include "common/UninstallData.h"
#include "framework/os/ObjectArray.h"
#include "setup/UninstallDataWriter.h"

namespace {
// Fills setup's data the way the install sequence leaves it before it
// writes uninstall.dat; the lists are malloc'ed as setup's own are, and
// freed by CSetupData.
class Installed
{
public:
  explicit Installed(const char* appName) { data.m_strAppName = appName; }

  void Files(const std::vector<std::string>& names)
  {
    data.m_pFiles = NewObjectArray<FileEntry>((int32_t)names.size() + 1);
    for (size_t i = 0; i < names.size(); ++i)
      data.m_pFiles[i].name = names[i].c_str();
    data.m_nFiles = (int32_t)names.size();
  }
  static void Links(ShortcutEntry*& list, int32_t& count, const std::vector<std::string>& paths)
  {
    list = NewObjectArray<ShortcutEntry>((int32_t)paths.size() + 1);
    for (size_t i = 0; i < paths.size(); ++i)
      list[i].linkPath = paths[i].c_str();
    count = (int32_t)paths.size();
  }
  void Generated(const std::vector<std::string>& names)
  {
    data.m_ppGeneratedFiles = static_cast<CString**>(calloc(names.size() + 1, sizeof(CString*)));
    for (size_t i = 0; i < names.size(); ++i)
      data.m_ppGeneratedFiles[i] = new CString(names[i].c_str());
    data.m_nGeneratedFiles = (int32_t)names.size();
  }

  CSetupData data;
};

// The shared reader opens names as given: the host's separators here.
int ReadRecord(UninstallData& record, std::string path)
{
#ifndef _WIN32
  for (char& c : path)
    if (c == '\\')
      c = '/';
#endif
  return record.Read(path.c_str());
}

std::vector<std::string> Slots(const CString* list, int32_t count)
{
  std::vector<std::string> out;
  for (int32_t i = 0; i < count; ++i)
    out.push_back(static_cast<const char*>(list[i]));
  return out;
}
}  // namespace

// Two files, one program-group link and one generated file: the magic, the
// name and each list as its count (little-endian int32) and NUL-terminated
// strings, 90 bytes, then the trailer's flags: the program group was there
// before setup.
TEST(WriteUninstallData, TwoFilesALinkAndAGeneratedFileAreNinetyBytesInRecordOrderThenTheFlags)
{
  Installed app("Demo Tool");
  app.Files({"tool.exe", "help\\tool.hlp"});
  Installed::Links(app.data.m_pShortcuts, app.data.m_nShortcuts, {"C:\\Menu\\Demo Tool\\Demo Tool.lnk"});
  app.Generated({"tool.ini"});
  TestDir dir;
  ASSERT_FALSE(WriteUninstallData(app.data, dir.Path("uninstall.dat").c_str(), UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED));
  std::string expected = std::string("SS02Demo Tool\0\x02\0\0\0tool.exe\0help\\tool.hlp\0", 41) +
                         std::string("\x01\0\0\0C:\\Menu\\Demo Tool\\Demo Tool.lnk\0", 36) +
                         std::string("\x01\0\0\0tool.ini\0", 13);
  ASSERT_EQ(90u, expected.size());
  EXPECT_EQ(expected + std::string("\x01\0\0\0", 4), TestDir::ReadFile(dir.Path("uninstall.dat")));
}

TEST(WriteUninstallData, ReadsBackThroughTheSharedRecordInListOrder)
{
  Installed app("Viewer");
  app.Files({});
  Installed::Links(app.data.m_pShortcuts, app.data.m_nShortcuts, {"C:\\M\\V\\a.lnk", "C:\\M\\V\\b.lnk"});
  Installed::Links(app.data.m_pDesktopShortcuts, app.data.m_nDesktopShortcuts, {"C:\\Desk\\c.lnk"});
  TestDir dir;
  std::string path = dir.Path("uninstall.dat");
  ASSERT_FALSE(WriteUninstallData(app.data, path.c_str(), 0));

  UninstallData record;
  ASSERT_EQ(0, ReadRecord(record, path));
  EXPECT_STREQ("Viewer", record.m_strAppName);
  EXPECT_EQ(0, record.m_nInstalled);
  EXPECT_EQ((std::vector<std::string>{"C:\\M\\V\\a.lnk", "C:\\M\\V\\b.lnk", "C:\\Desk\\c.lnk"}),
            Slots(record.m_pLinks, record.m_nLinks));
  EXPECT_EQ(0, record.m_nGenerated);
}

TEST(WriteUninstallData, NamesOfAnyLengthAndScriptReadBackWhole)
{
  // UTF-8 of any length: long names, and letters of every script.
  const std::string longName(300, 'N'), longPath(1000, 'p');
  const std::string utf8 = "Программы\\Ελληνικά\\日本語 😀 é.txt";
  Installed app(longName.c_str());
  app.Files({longPath, utf8, "last.txt"});
  Installed::Links(app.data.m_pStartupShortcuts, app.data.m_nStartupShortcuts, {"C:\\S\\Приложение.lnk"});
  app.Generated({std::string(400, 'g'), "gen.ini"});
  TestDir dir;
  std::string path = dir.Path("uninstall.dat");
  ASSERT_FALSE(WriteUninstallData(app.data, path.c_str(), 0));

  UninstallData record;
  ASSERT_EQ(0, ReadRecord(record, path));
  EXPECT_EQ(longName, static_cast<const char*>(record.m_strAppName));
  EXPECT_EQ((std::vector<std::string>{longPath, utf8, "last.txt"}), Slots(record.m_pInstalled, record.m_nInstalled));
  EXPECT_EQ((std::vector<std::string>{"C:\\S\\Приложение.lnk"}), Slots(record.m_pLinks, record.m_nLinks));
  EXPECT_EQ((std::vector<std::string>{std::string(400, 'g'), "gen.ini"}),
            Slots(record.m_pGenerated, record.m_nGenerated));
}

TEST(WriteUninstallData, AFileThatCannotBeCreatedIsReported)
{
  Installed app("X");
  TestDir dir;
  EXPECT_TRUE(WriteUninstallData(app.data, dir.Path("missing folder\\uninstall.dat").c_str(), 0));
  EXPECT_FALSE(TestDir::Exists(dir.Path("missing folder")));
}

// A stopped installation records the new file table together with what the
// earlier installation recorded and the new one lacks, so that the
// uninstaller still finds everything either of them put there.
TEST(WriteUninstallData, AStoppedInstallationKeepsTheEarlierRecordsNames)
{
  TestDir dir;
  std::string path = dir.Path("uninstall.dat");
  {
    Installed old("Viewer");
    old.Files({"viewer.exe", "old\\plugin.dll", "Readme.txt"});
    Installed::Links(old.data.m_pShortcuts, old.data.m_nShortcuts, {"C:\\M\\Viewer\\Viewer.lnk"});
    old.Generated({"viewer.ini", "cache"});
    ASSERT_FALSE(WriteUninstallData(old.data, path.c_str(), 0));
  }
  UninstallData earlier;
  ASSERT_EQ(0, ReadRecord(earlier, path));

  Installed app("Viewer");
  app.Files({"viewer.exe", "readme.txt", "new.dat"});
  app.Generated({"viewer.ini", "viewer.log"});
  ASSERT_FALSE(WriteUninstallData(app.data, path.c_str(), 0, &earlier));

  UninstallData record;
  ASSERT_EQ(0, ReadRecord(record, path));
  // Byte-wise comparison: "Readme.txt" is another file than "readme.txt".
  EXPECT_EQ((std::vector<std::string>{"viewer.exe", "readme.txt", "new.dat", "old\\plugin.dll", "Readme.txt"}),
            Slots(record.m_pInstalled, record.m_nInstalled));
  EXPECT_EQ((std::vector<std::string>{"C:\\M\\Viewer\\Viewer.lnk"}), Slots(record.m_pLinks, record.m_nLinks));
  EXPECT_EQ((std::vector<std::string>{"viewer.ini", "viewer.log", "cache"}),
            Slots(record.m_pGenerated, record.m_nGenerated));
}

// Entries behind the one an installation stopped at never reached the
// destination: a file there by such a name is someone else's, and the
// record must not hand it to the uninstaller. The earlier record's names
// stay, also those the new table holds only behind the stop.
TEST(WriteUninstallData, AStoppedInstallationRecordsNoEntryItNeverReached)
{
  TestDir dir;
  std::string path = dir.Path("uninstall.dat");
  Installed app("Viewer");
  app.Files({"a.txt", "viewer.exe", "notes.txt", "z.txt"});
  app.Generated({"viewer.ini"});
  ASSERT_FALSE(WriteUninstallData(app.data, path.c_str(), 0, NULL, 2));
  UninstallData fresh;
  ASSERT_EQ(0, ReadRecord(fresh, path));
  EXPECT_EQ((std::vector<std::string>{"a.txt", "viewer.exe"}), Slots(fresh.m_pInstalled, fresh.m_nInstalled));
  EXPECT_EQ((std::vector<std::string>{"viewer.ini"}), Slots(fresh.m_pGenerated, fresh.m_nGenerated));

  {
    Installed old("Viewer");
    old.Files({"viewer.exe", "z.txt", "old.dll"});
    ASSERT_FALSE(WriteUninstallData(old.data, path.c_str(), 0));
  }
  UninstallData earlier;
  ASSERT_EQ(0, ReadRecord(earlier, path));
  ASSERT_FALSE(WriteUninstallData(app.data, path.c_str(), 0, &earlier, 2));
  UninstallData record;
  ASSERT_EQ(0, ReadRecord(record, path));
  EXPECT_EQ((std::vector<std::string>{"a.txt", "viewer.exe", "z.txt", "old.dll"}),
            Slots(record.m_pInstalled, record.m_nInstalled));
}
