// The overlay: the marker search over a whole installer image, the load of
// a real installer file and its archive, and what a damaged one gives.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include "../framework/TestDir.h"
#include "SetupTestFiles.h"
#include "setup/SetupData.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
// Allocations over 1 GB fail instead of ending the run, so that setup's
// own out-of-memory path can be reached.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=1024"; }
#define CAN_FAIL_ALLOCATIONS 1
#endif

namespace {
const char kCorrupt[] = "The installation file is corrupt!";
const char kScript[] = "#AppName\r\nDemo Tool\r\n#Shortcuts\r\nbin\\tool.exe /x\r\nDemo Tool\r\n#end";

std::string Text(const CString& s) { return std::string(s, (size_t)s.GetLength()); }

std::string Stub()
{
  std::string stub = "MZ program image";
  for (int i = 0; i < 2000; ++i)
    stub += (char)(i * 7 + 3);  // no '-' run forms a marker; many '-' bytes test the search
  return stub;
}

struct Found
{
  bool found;
  uint32_t script, archive;
};

Found Find(const std::string& image)
{
  Found f = {false, 0, 0};
  f.found = CSetupData::FindOverlay(image.data(), (uint32_t)image.size(), f.script, f.archive);
  return f;
}

class OverlayLoad : public ::testing::Test
{
protected:
  // Writes the image as an installer file and loads it as setup does.
  BOOL Load(const std::string& image)
  {
    std::string path = dir.Path("setup.exe");
    TestDir::WriteFile(path, image);
    return data.LoadOverlayFrom(path.c_str(), agreement);
  }
  TestDir dir;
  CSetupData data;
  CString agreement;
};
}

TEST(FindOverlay, MarkersInOrderGiveTheScriptAndArchiveOffsets)
{
  std::string stub = Stub();
  Found f = Find(stub + Marker('1') + "S" + Marker('2') + "ZIP");
  ASSERT_TRUE(f.found);
  EXPECT_EQ(stub.size() + 10, f.script);
  EXPECT_EQ(stub.size() + 10 + 1 + 10, f.archive);

  Found empty = Find(Marker('1') + Marker('2'));
  ASSERT_TRUE(empty.found) << "an empty script between the markers";
  EXPECT_EQ(10u, empty.script);
  EXPECT_EQ(20u, empty.archive);
}

TEST(FindOverlay, MissingReversedOrOverlappingMarkersAreNotAnOverlay)
{
  std::string stub = Stub();
  EXPECT_FALSE(Find(stub).found);
  EXPECT_FALSE(Find(stub + Marker('1') + "script only").found);
  EXPECT_FALSE(Find(stub + Marker('2') + "script" + Marker('1') + "zip").found);
  // Marker 2 sharing marker 1's closing '-': "-overlay1-overlay2-".
  EXPECT_FALSE(Find(Marker('1') + Marker('2').substr(1)).found);
  EXPECT_FALSE(Find(Marker('1').substr(0, 9)).found);
  EXPECT_FALSE(Find("").found);
}

TEST(FindOverlay, ALaterMarker1ReplacesAnEarlierOne)
{
  std::string image = Marker('1') + "old" + Marker('1') + "new" + Marker('2') + "zip" + Marker('1');
  Found f = Find(image);
  ASSERT_TRUE(f.found);
  EXPECT_EQ(10 + 3 + 10u, f.script);
  EXPECT_EQ("new", image.substr(f.script, f.archive - 10 - f.script));
}

TEST(FindOverlay, PlaceholderTextsAndMarkerFragmentsAreNoMarkers)
{
  std::string image = "-?verlay1--?verlay2--overlay-overlay3--overlay1" + Marker('1') + "S" + Marker('2');
  Found f = Find(image);
  ASSERT_TRUE(f.found);
  EXPECT_EQ(image.size() - 11, f.script);
}

TEST(FindOverlay, ThisProgramHoldsNoMarkerText)
{
  // setup's code is linked in here: its markers must exist only as placeholders.
#ifdef _WIN32
  char path[MAX_PATH];
  GetModuleFileNameA(NULL, path, sizeof(path));
  std::string image = TestDir::ReadFile(path);
#else
  std::string image = TestDir::ReadFile("/proc/self/exe");
#endif
  ASSERT_GT(image.size(), 10000u);
  EXPECT_EQ(std::string::npos, image.find(Marker('1')));
  EXPECT_EQ(std::string::npos, image.find(Marker('2')));
}

TEST_F(OverlayLoad, ARealInstallerLoadsItsScriptAndArchive)
{
  std::string archive = TestArchive();
  ASSERT_GT(archive.size(), 100u);
  ASSERT_FALSE(Load(Stub() + Marker('1') + kScript + Marker('2') + archive)) << Text(data.m_strError);
  EXPECT_EQ("Demo Tool", Text(data.m_strAppName));
  ASSERT_EQ(1, data.m_nShortcuts);
  EXPECT_STREQ("/x", data.m_pShortcuts[0].arguments);

  data.BuildFileTable();
  ASSERT_EQ(3, data.m_nFiles);  // zip -r readme.txt bin: in this order
  EXPECT_STREQ("readme.txt", data.m_pFiles[0].name);
  EXPECT_STREQ("bin\\", data.m_pFiles[1].name);
  EXPECT_STREQ("bin\\tool.exe", data.m_pFiles[2].name);
  EXPECT_EQ(36, data.m_pFiles[0].size);
  EXPECT_EQ(0, data.m_pFiles[1].size);
  EXPECT_EQ(8400, data.m_pFiles[2].size);
  EXPECT_EQ(36 + 8400, data.m_nTotalSize);

  // The archive is read in place, from the image: every entry checks out.
  ASSERT_TRUE(data.m_archive.OpenEntry(2));
  std::string bytes(9000, '\0');
  uint32_t n = data.m_archive.ReadEntry(&bytes[0], (uint32_t)bytes.size());
  EXPECT_EQ(8400u, n);
  EXPECT_EQ(1, data.m_archive.CloseEntry());
  EXPECT_EQ(0, bytes.compare(0, 21, "tool code 0123456789 "));
}

TEST_F(OverlayLoad, AFileWithoutBothMarkersIsCorruptAndFreesItsImage)
{
  for (const std::string& image : {Stub(), Stub() + Marker('1') + kScript, Stub() + Marker('2') + Marker('1')}) {
    CSetupData fresh;
    std::string path = dir.Path("setup.exe");
    TestDir::WriteFile(path, image);
    EXPECT_TRUE(fresh.LoadOverlayFrom(path.c_str(), agreement));
    EXPECT_EQ(kCorrupt, Text(fresh.m_strError));
    EXPECT_EQ(nullptr, fresh.m_pImage);
  }
}

TEST_F(OverlayLoad, AnArchiveTheReaderRejectsIsCorruptNotACrash)
{
  std::string archive = TestArchive();
  std::string head = Stub() + Marker('1') + kScript + Marker('2');
  std::string damaged[] = {
      "",                                      // nothing behind marker 2
      std::string(3000, 'x'),                  // no end record at all
      archive.substr(0, archive.size() - 30),  // end record cut off
      // the end record's directory offset pointing past the end record
      archive.substr(0, archive.size() - 6) + std::string("\xff\xff\x00\x00\x00\x00", 6),
  };
  for (size_t i = 0; i < sizeof(damaged) / sizeof(damaged[0]); ++i) {
    CSetupData fresh;
    std::string path = dir.Path("setup.exe");
    TestDir::WriteFile(path, head + damaged[i]);
    EXPECT_TRUE(fresh.LoadOverlayFrom(path.c_str(), agreement)) << "case " << i;
    EXPECT_EQ(kCorrupt, Text(fresh.m_strError)) << "case " << i;
  }
}

TEST_F(OverlayLoad, AMissingFileCannotBeOpened)
{
  EXPECT_TRUE(data.LoadOverlayFrom(dir.Path("no such setup.exe").c_str(), agreement));
  EXPECT_EQ("Source file could not be opened!\n\nIf you are running this setup application from the\n"
            "command prompt, try running it from Windows!",
            Text(data.m_strError));
}

#ifdef CAN_FAIL_ALLOCATIONS
TEST_F(OverlayLoad, AnImageTooLargeForMemoryIsReported)
{
  std::string path = dir.Path("setup.exe");
  TestDir::WriteFile(path, "");
  std::string host = path;
  for (char& c : host)
    if (c == '\\')
      c = '/';
  ASSERT_EQ(0, truncate(host.c_str(), 1536LL << 20));  // sparse: 1.5 GB of nothing
  EXPECT_TRUE(data.LoadOverlayFrom(path.c_str(), agreement));
  EXPECT_EQ("Out of memory!", Text(data.m_strError));
  EXPECT_EQ(nullptr, data.m_pImage);
}
#endif
