// UninstallData against files written here byte by byte, and its shortcut
// removal on real files and folders.
#include "common/UninstallData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>

#include "framework/os/FileSystem.h"
#include "uninstall/FolderList.h"
#include "uninstall/Remains.h"
#include "uninstall/UninstallLog.h"

// The uninstaller's log, which its removals write to (not opened here).
CInstallLog g_log;
#endif

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
// Allocations over 1 GB fail instead of ending the run, so that a failed
// allocation can be tested; every allocation is seen by a hook.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=1024"; }
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));
static size_t g_nLargestAllocation = 0;
static void OnMalloc(const volatile void*, size_t nSize)
{
  g_nLargestAllocation = std::max(g_nLargestAllocation, nSize);
}
static void OnFree(const volatile void*) {}
#define HAVE_ALLOCATION_HOOK 1
#endif

namespace {

std::string Int32(int32_t v)
{
  uint32_t u = (uint32_t)v;
  return std::string{(char)(u & 0xff), (char)((u >> 8) & 0xff), (char)((u >> 16) & 0xff), (char)(u >> 24)};
}

std::string Str(const std::string& s) { return s + std::string(1, '\0'); }

std::string List(const std::vector<std::string>& names)
{
  std::string bytes = Int32((int32_t)names.size());
  for (const std::string& name : names)
    bytes += Str(name);
  return bytes;
}

std::string Record(const std::string& app, const std::vector<std::string>& installed,
                   const std::vector<std::string>& links, const std::vector<std::string>& generated)
{
  return "SS01" + Str(app) + List(installed) + List(links) + List(generated);
}

class UninstallDataTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    static int nCounter = 0;
    m_dir = fs::temp_directory_path() / ("uninstall-data-" + std::to_string(nCounter++) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  // A Windows-style path below the test folder, as setup records it.
  std::string Path(const std::string& relative) const { return m_dir.string() + "\\" + relative; }
  // The same path for the host's own file calls.
  static fs::path Host(std::string path)
  {
#ifndef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return fs::path(path);
  }
  void Write(const std::string& relative, const std::string& bytes)
  {
    fs::path host = Host(Path(relative));
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << bytes;
  }
  int ReadBytes(const std::string& bytes)
  {
    Write("uninstall.dat", bytes);
    return m_data.Read(Host(Path("uninstall.dat")).string().c_str());
  }
  void ExpectEmpty() const
  {
    EXPECT_STREQ("", m_data.m_strAppName);
    EXPECT_EQ(0, m_data.m_nInstalled);
    EXPECT_EQ(0, m_data.m_nLinks);
    EXPECT_EQ(0, m_data.m_nGenerated);
    EXPECT_EQ(nullptr, m_data.m_pInstalled);
    EXPECT_EQ(nullptr, m_data.m_pLinks);
    EXPECT_EQ(nullptr, m_data.m_pGenerated);
  }

  fs::path m_dir;
  UninstallData m_data;
};

// The record setup writes for two files, one program-group link and one
// generated file (90 bytes), followed by bytes that belong to no field.
TEST_F(UninstallDataTest, ReadsTwoFilesALinkAndAGeneratedFileFieldByFieldAndIgnoresWhatFollows)
{
  std::string bytes =
      Record("Demo Tool", {"tool.exe", "help\\tool.hlp"}, {"C:\\Menu\\Demo Tool\\Demo Tool.lnk"}, {"tool.ini"});
  ASSERT_EQ(90u, bytes.size());
  ASSERT_EQ(0, ReadBytes(bytes + "trailing bytes"));
  EXPECT_STREQ("Demo Tool", m_data.m_strAppName);
  ASSERT_EQ(2, m_data.m_nInstalled);
  EXPECT_STREQ("tool.exe", m_data.m_pInstalled[0]);
  EXPECT_STREQ("help\\tool.hlp", m_data.m_pInstalled[1]);
  ASSERT_EQ(1, m_data.m_nLinks);
  EXPECT_STREQ("C:\\Menu\\Demo Tool\\Demo Tool.lnk", m_data.m_pLinks[0]);
  ASSERT_EQ(1, m_data.m_nGenerated);
  EXPECT_STREQ("tool.ini", m_data.m_pGenerated[0]);
}

// The form setup writes now: UTF-8 names of any length. The earlier form's
// names are in the ANSI code page (1252 here) and are read as UTF-8 too.
TEST_F(UninstallDataTest, BothFormsReadAsUtf8)
{
  const std::string strLong(1000, 'l');
  ASSERT_EQ(0, ReadBytes("SS02" + Str("Приложение") + List({"Ελληνικά\\日本語 😀.txt", strLong}) + List({}) +
                         List({"é.ini"})));
  EXPECT_FALSE(m_data.m_bAnsi);
  EXPECT_STREQ("Приложение", m_data.m_strAppName);
  EXPECT_STREQ("Ελληνικά\\日本語 😀.txt", m_data.m_pInstalled[0]);
  EXPECT_EQ(strLong, std::string(m_data.m_pInstalled[1]));
  EXPECT_STREQ("é.ini", m_data.m_pGenerated[0]);

  ASSERT_EQ(0, ReadBytes("SS01" + Str("M\xfcller") + List({"Caf\xe9.txt"})));
  EXPECT_TRUE(m_data.m_bAnsi);
  EXPECT_STREQ("Müller", m_data.m_strAppName);
  EXPECT_STREQ("Café.txt", m_data.m_pInstalled[0]);

  // A name that is not UTF-8 in the new form is damage: nothing is read.
  EXPECT_EQ(1, ReadBytes("SS02" + Str("App") + List({"M\xfcller.txt"})));
  ExpectEmpty();
}

TEST_F(UninstallDataTest, ZeroAndNegativeCountsAreEmptyLists)
{
  ASSERT_EQ(0, ReadBytes(Record("App", {}, {}, {})));
  EXPECT_STREQ("App", m_data.m_strAppName);
  EXPECT_EQ(0, m_data.m_nInstalled);
  EXPECT_EQ(0, m_data.m_nLinks);
  EXPECT_EQ(0, m_data.m_nGenerated);

  ASSERT_EQ(0, ReadBytes("SS01" + Str("App") + Int32(-5) + List({"x.lnk"}) + List({})));
  EXPECT_EQ(0, m_data.m_nInstalled);
  ASSERT_EQ(1, m_data.m_nLinks);
  EXPECT_STREQ("x.lnk", m_data.m_pLinks[0]);
}

TEST_F(UninstallDataTest, MissingShortOrForeignFilesGiveOneAndAnEmptyRecord)
{
  EXPECT_EQ(1, m_data.Read(Host(Path("no such file")).string().c_str()));
  ExpectEmpty();
  EXPECT_EQ(1, ReadBytes("SS0"));
  ExpectEmpty();
  std::string good = Record("App", {"a"}, {}, {});
  for (int i = 0; i < 4; i++) {
    std::string bad = good;
    bad[i] ^= 0x20;
    EXPECT_EQ(1, ReadBytes(bad)) << "magic byte " << i;
    ExpectEmpty();
  }
}

TEST_F(UninstallDataTest, AFileMayEndAfterAnyCompleteList)
{
  ASSERT_EQ(0, ReadBytes("SS01" + Str("App")));
  EXPECT_STREQ("App", m_data.m_strAppName);
  EXPECT_EQ(0, m_data.m_nInstalled);

  ASSERT_EQ(0, ReadBytes("SS01" + Str("App") + List({"a", "b\\c"})));
  ASSERT_EQ(2, m_data.m_nInstalled);
  EXPECT_STREQ("b\\c", m_data.m_pInstalled[1]);
  EXPECT_EQ(0, m_data.m_nLinks);
  EXPECT_EQ(0, m_data.m_nGenerated);

  ASSERT_EQ(0, ReadBytes("SS01" + Str("App") + List({"a"}) + List({"l.lnk"})));
  EXPECT_EQ(1, m_data.m_nLinks);
  EXPECT_EQ(0, m_data.m_nGenerated);
}

TEST_F(UninstallDataTest, StringsAtTheLimitsReadWholeAndLongerOnesAreCutWithoutShiftingTheNextField)
{
  std::string name254(254, 'n'), path258(258, 'p'), name255(255, 'm');
  ASSERT_EQ(0, ReadBytes(Record(name254, {path258, "after"}, {}, {"gen"})));
  EXPECT_EQ(name254, std::string(m_data.m_strAppName));
  EXPECT_EQ(path258, std::string(m_data.m_pInstalled[0]));
  EXPECT_STREQ("after", m_data.m_pInstalled[1]);
  EXPECT_STREQ("gen", m_data.m_pGenerated[0]);

  // 255 bytes fill the name's slot exactly; its NUL is still consumed.
  ASSERT_EQ(0, ReadBytes(Record(name255, {"next"}, {}, {})));
  EXPECT_EQ(name255, std::string(m_data.m_strAppName));
  EXPECT_STREQ("next", m_data.m_pInstalled[0]);

  ASSERT_EQ(0, ReadBytes(Record(std::string(300, 'x'), {std::string(400, 'y'), "next"}, {"l.lnk"}, {})));
  EXPECT_EQ(std::string(255, 'x'), std::string(m_data.m_strAppName));
  EXPECT_EQ(std::string(259, 'y'), std::string(m_data.m_pInstalled[0]));
  EXPECT_STREQ("next", m_data.m_pInstalled[1]);
  EXPECT_STREQ("l.lnk", m_data.m_pLinks[0]);
}

TEST_F(UninstallDataTest, DamagedFilesGiveOneAndAnEmptyRecord)
{
  struct Case
  {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"magic only: the name is cut off", "SS01"},
      {"name without its NUL", "SS01App"},
      {"count cut after two bytes", "SS01" + Str("App") + Int32(1).substr(0, 2)},
      {"fewer strings than counted", "SS01" + Str("App") + Int32(3) + Str("a") + Str("b") + Str("c").substr(0, 1)},
      {"a link path cut off", "SS01" + Str("App") + List({}) + Int32(1) + "C:\\Menu"},
      {"count beyond the bytes left", "SS01" + Str("App") + Int32(6) + "abcde"},
      {"absurd count", "SS01" + Str("App") + List({}) + List({}) + Int32(0x7fffffff) + Str("x")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(1, ReadBytes(c.bytes)) << c.what;
    ExpectEmpty();
  }
}

TEST_F(UninstallDataTest, ACountIsCheckedAgainstTheFileBeforeAnythingIsAllocated)
{
#ifdef HAVE_ALLOCATION_HOOK
  ASSERT_NE(0, __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree));
  g_nLargestAllocation = 0;
  EXPECT_EQ(1, ReadBytes("SS01" + Str("App") + Int32(1000000) + Str("a")));
  EXPECT_LT(g_nLargestAllocation, 65536u);
#else
  GTEST_SKIP() << "needs the sanitizer's allocation hook (host build)";
#endif
}

// Each name takes a small slot of its own size, whatever the count: a file
// of five million names reads whole without gigabytes of slots.
TEST_F(UninstallDataTest, ManyNamesTakeMemoryAfterTheirOwnSize)
{
#ifdef HAVE_ALLOCATION_HOOK
  ASSERT_NE(0, __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree));
  g_nLargestAllocation = 0;
  const int32_t nCount = 5000000;
  EXPECT_EQ(0, ReadBytes(Record("App", {}, {}, {}).substr(0, 8) + Int32(nCount) + std::string(nCount, '\0')));
  EXPECT_EQ(nCount, m_data.m_nInstalled);
  EXPECT_LT(g_nLargestAllocation, 16u * nCount);
#else
  GTEST_SKIP() << "needs the sanitizer's allocation hook (host build)";
#endif
}

// Shortcut removal with a record read from a file, as both programs do it.
TEST_F(UninstallDataTest, RemovesEveryRecordedLinkAndThenTheFirstOnesFolderIfEmpty)
{
  for (const char* name : {"Menu\\a.lnk", "Menu\\b.lnk", "Desktop\\c.lnk", "Desktop\\keep.txt"})
    Write(name, "link");
  ASSERT_EQ(0, ReadBytes(Record(
                   "App", {},
                   {Path("Menu\\a.lnk"), Path("Menu\\b.lnk"), Path("Menu\\gone.lnk"), Path("Desktop\\c.lnk")}, {})));
  m_data.RemoveShortcuts();
  EXPECT_FALSE(fs::exists(Host(Path("Menu"))));
  EXPECT_FALSE(fs::exists(Host(Path("Desktop\\c.lnk"))));
  EXPECT_TRUE(fs::exists(Host(Path("Desktop\\keep.txt"))));
}

TEST_F(UninstallDataTest, AFolderThatStillHoldsSomethingStays)
{
  Write("Menu\\a.lnk", "link");
  Write("Menu\\readme.txt", "text");
  ASSERT_EQ(0, ReadBytes(Record("App", {}, {Path("Menu\\a.lnk")}, {})));
  m_data.RemoveShortcuts();
  EXPECT_FALSE(fs::exists(Host(Path("Menu\\a.lnk"))));
  EXPECT_TRUE(fs::exists(Host(Path("Menu\\readme.txt"))));
}

// The trailer behind the third list says that the folder of the first link
// was there before setup: it is not the installation's, even when its last
// link goes. A file without the trailer, of an earlier release, reads as
// before; so do both forms, and bits that no reader knows.
TEST_F(UninstallDataTest, AFolderThatWasThereBeforeSetupStaysAndOldFilesReadAsBefore)
{
  const std::string strRecord = Record("App", {}, {Path("Menu\\a.lnk")}, {});
  for (const char* pszMagic : {"SS01", "SS02"}) {
    const std::string strMagic = pszMagic;
    Write("Menu\\a.lnk", "link");
    ASSERT_EQ(0, ReadBytes(strMagic + strRecord.substr(4) + Int32(UNINSTALL_FLAG_SHORTCUT_FOLDER_EXISTED | 0x100)));
    EXPECT_EQ(1, m_data.m_nLinks);
    CString strFolder;
    EXPECT_FALSE(m_data.GetShortcutFolder(strFolder)) << strMagic;
    m_data.RemoveShortcuts();
    EXPECT_FALSE(fs::exists(Host(Path("Menu\\a.lnk"))));
    EXPECT_TRUE(fs::exists(Host(Path("Menu")))) << strMagic;

    ASSERT_EQ(0, ReadBytes(strMagic + strRecord.substr(4)));
    EXPECT_EQ(0, m_data.m_nFlags);
    m_data.RemoveShortcuts();
    EXPECT_FALSE(fs::exists(Host(Path("Menu")))) << strMagic;
  }
}

TEST_F(UninstallDataTest, WithoutLinksNoFolderIsTouched)
{
  fs::create_directories(Host(Path("Menu")));
  ASSERT_EQ(0, ReadBytes(Record("App", {"Menu\\x"}, {}, {"Menu"})));
  m_data.RemoveShortcuts();
  EXPECT_TRUE(fs::exists(Host(Path("Menu"))));
}

TEST_F(UninstallDataTest, OnlyLinkFilesAreDeletedAndOnlyALinksFolderIsRemoved)
{
  Write("Menu\\notes.txt", "text");
  Write("Menu\\upper.LNK", "link");
  fs::create_directories(Host(Path("Empty")));
  ASSERT_EQ(
      0, ReadBytes(Record("App", {}, {Path("Empty\\data.txt"), Path("Menu\\notes.txt"), Path("Menu\\upper.LNK")}, {})));
  m_data.RemoveShortcuts();
  EXPECT_TRUE(fs::exists(Host(Path("Menu\\notes.txt"))));
  EXPECT_FALSE(fs::exists(Host(Path("Menu\\upper.LNK"))));
  EXPECT_TRUE(fs::exists(Host(Path("Empty"))));
}

#ifdef _WIN32
// Without start-menu links the first recorded link lies in the user's
// Startup folder or on the desktop: an empty one stays, it is the shell's.
TEST_F(UninstallDataTest, TheUsersStartupFolderAndDesktopStayWhenTheirLastLinkGoes)
{
  for (const char* lpszValue : {"Startup", "Desktop"}) {
    char szFolder[MAX_PATH] = "";
    DWORD nSize = sizeof(szFolder);
    ASSERT_EQ(ERROR_SUCCESS,
              RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           lpszValue, RRF_RT_REG_SZ, NULL, szFolder, &nSize))
        << lpszValue;
    CreateDirectoryA(szFolder, NULL);
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((std::string(szFolder) + "\\*").c_str(), &found);
    int nEntries = 0;
    if (hFind != INVALID_HANDLE_VALUE) {
      do
        nEntries += strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0;
      while (FindNextFileA(hFind, &found));
      FindClose(hFind);
    }
    // Only an empty folder shows whether it would be removed.
    ASSERT_EQ(0, nEntries) << szFolder << " holds something already";

    std::string strLink = std::string(szFolder) + "\\Uninstall Data Test.lnk";
    std::ofstream(strLink, std::ios::binary) << "link";
    ASSERT_EQ(0, ReadBytes(Record("App", {}, {strLink}, {})));
    m_data.RemoveShortcuts();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strLink.c_str())) << strLink;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(szFolder)) << szFolder;
    CreateDirectoryA(szFolder, NULL);  // for the next test, should it have gone
  }
}

// What the uninstaller finds still there after its removals: installed
// files and the folders that held them, generated names and uninstall.dat,
// in that order; not the uninstaller itself, and not what never was there.
TEST_F(UninstallDataTest, RemainsAreWhatIsStillThereOfTheRecordButTheUninstaller)
{
  Write("a\\b\\x.txt", "x");
  Write("c.txt", "c");
  Write("uninstall.exe", "u");
  Write("gen\\cache\\f", "f");
  ASSERT_EQ(
      0, ReadBytes(Record("App", {"a\\b\\x.txt", "a\\y.txt", "c.txt", "uninstall.exe", "d\\"}, {}, {"gen", "g.ini"})));
  CFolderList folders;
  folders.Build(m_data);
  char szCurrent[MAX_PATH];
  ASSERT_NE(0u, ::GetCurrentDirectoryA(MAX_PATH, szCurrent));
  ASSERT_TRUE(SetCurrentFolder(m_dir.string().c_str()));
  RemainList remains;
  FindRemains(m_data, folders, m_dir.string().c_str(), "uninstall.exe", remains);
  SetCurrentFolder(szCurrent);

  EXPECT_EQ(6, remains.nCount) << "a\\b\\x.txt c.txt a\\b a gen uninstall.dat";
  EXPECT_STREQ("a\\b\\x.txt", remains.strShown[0]);
  EXPECT_STREQ("c.txt", remains.strShown[1]);
  EXPECT_STREQ("a\\b", remains.strShown[2]);
}

TEST(RemainsMessage, NamesTheFirstThreeAndCountsTheRestInTheInstallationsLanguage)
{
  RemainList one = {1, {"cache"}};
  CString strText;
  const char* pszCaption = NULL;
  FormatRemainsMessage("Demo", one, false, strText, pszCaption);
  EXPECT_STREQ("Warning", pszCaption);
  EXPECT_STREQ("Demo was uninstalled, but 1 item could not be removed:\n\ncache", strText);

  RemainList five = {5, {"a.txt", "b\\c.txt", "d"}};
  FormatRemainsMessage("Demo", five, true, strText, pszCaption);
  EXPECT_STREQ("Warnung", pszCaption);
  EXPECT_STREQ(
      "Demo wurde entfernt, aber 5 Elemente konnten nicht gelöscht werden:\n\na.txt\nb\\c.txt\nd\n"
      "... und 2 weitere",
      strText);
}
#endif

}  // namespace
