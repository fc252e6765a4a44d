// The overlay: the marker search over a whole installer image and over a
// file in chunks, the load of a real installer file and its archive read
// from the file, and what a damaged one, or one cut while it is read, gives.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <vector>

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

// The archive with its end record's directory offset raised by nMore.
std::string WithDirOffset(std::string archive, uint32_t nMore)
{
  size_t at = archive.size() - 6;
  uint32_t offset = 0;
  for (int i = 3; i >= 0; --i)
    offset = offset << 8 | (uint8_t)archive[at + i];
  offset += nMore;
  for (int i = 0; i < 4; ++i)
    archive[at + i] = (char)(offset >> (8 * i));
  return archive;
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
  // Writes the image as an installer file and loads it as setup does. A
  // loaded installer stays open, shared for reading only, as setup holds it:
  // a later load writes a file of its own.
  BOOL Load(const std::string& image)
  {
    std::string path = dir.Path(loads++ == 0 ? "setup.exe" : "setup-" + std::to_string(loads) + ".exe");
    TestDir::WriteFile(path, image);
    return data.LoadOverlayFrom(path.c_str(), agreement);
  }
  int loads = 0;
  TestDir dir;
  CSetupData data;
  CString agreement;
};
}  // namespace

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

TEST(FindOverlayIn, ChunksFindWhatTheWholeImageSearchFinds)
{
  std::string stub = Stub();
  std::vector<std::string> images = {
      stub + Marker('1') + "S" + Marker('2') + "ZIP",
      Marker('1') + Marker('2'),
      stub,
      stub + Marker('1') + "script only",
      stub + Marker('2') + "script" + Marker('1') + "zip",
      Marker('1') + Marker('2').substr(1),
      Marker('1') + "old" + Marker('1') + "new" + Marker('2') + "zip" + Marker('1'),
      "-?verlay1--?verlay2--overlay-overlay3--overlay1" + Marker('1') + "S" + Marker('2'),
      "",
  };
  // Markers at every offset against a chunk border of the smallest chunks.
  for (size_t shift = 0; shift < 24; ++shift)
    images.push_back(std::string(shift, '-') + Marker('1') + std::string(shift % 5, 's') + Marker('2') + "zip");
  for (size_t i = 0; i < images.size(); ++i) {
    Found whole = Find(images[i]);
    for (uint32_t chunk : {10u, 11u, 16u, 19u, 64u, 65536u}) {
      CMemFile file(reinterpret_cast<BYTE*>(&images[i][0]), (UINT)images[i].size());
      std::vector<char> buffer(chunk);
      Found f = {false, 0, 0};
      f.found = CSetupData::FindOverlayIn(file, buffer.data(), chunk, f.script, f.archive);
      EXPECT_EQ(whole.found, f.found) << "image " << i << ", chunk " << chunk;
      if (whole.found && f.found) {
        EXPECT_EQ(whole.script, f.script) << "image " << i << ", chunk " << chunk;
        EXPECT_EQ(whole.archive, f.archive) << "image " << i << ", chunk " << chunk;
      }
    }
  }
}

TEST(FindOverlayIn, ReadsNoFurtherThanTheChunkThatHoldsMarker2)
{
  std::string image = Stub() + Marker('1') + kScript + Marker('2') + std::string(1 << 20, 'z');
  CMemFile file(reinterpret_cast<BYTE*>(&image[0]), (UINT)image.size());
  std::vector<char> buffer(4096);
  uint32_t script = 0, archive = 0;
  ASSERT_TRUE(CSetupData::FindOverlayIn(file, buffer.data(), 4096, script, archive));
  EXPECT_LE(file.GetPosition(), archive + 4096);
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

  // Only the head up to marker 2 is in memory; the archive is read from the
  // file, its offsets shifted by that head: every entry checks out.
  EXPECT_EQ(Stub().size() + 10 + strlen(kScript) + 10, data.m_nImageSize);
  ASSERT_TRUE(data.m_archive.OpenEntry(2));
  std::string bytes(9000, '\0');
  uint32_t n = data.m_archive.ReadEntry(&bytes[0], (uint32_t)bytes.size());
  EXPECT_EQ(8400u, n);
  EXPECT_EQ(ZIP_CLOSE_DONE, data.m_archive.CloseEntry());
  EXPECT_EQ(0, bytes.compare(0, 21, "tool code 0123456789 "));

  // Loaded again into the same object, from another file: the head read
  // first is freed (the sanitizers' leak check holds it to that) and the
  // script read anew.
  const std::string strAgain = dir.Path("again.exe");
  TestDir::WriteFile(strAgain, Stub() + Marker('1') + "#AppName\r\nAgain\r\n#end" + Marker('2') + archive);
  ASSERT_FALSE(data.LoadOverlayFrom(strAgain.c_str(), agreement));
  EXPECT_EQ("Again", Text(data.m_strAppName));
}

TEST_F(OverlayLoad, AScriptIsUtf8BehindAByteOrderMarkAndAnsiWithout)
{
  // "Démo – Tool" in UTF-8 behind the mark, and in Windows-1252 without it
  // (installers made before names were UTF-8): the same fields either way.
  const std::string archive = TestArchive();
  const std::string utf8 = "\xEF\xBB\xBF#AppName\r\nD\xC3\xA9mo \xE2\x80\x93 Tool\r\n#end";
  const std::string ansi = "#AppName\r\nD\xE9mo \x96 Tool\r\n#end";
  for (const std::string& script : {utf8, ansi}) {
    ASSERT_FALSE(Load(Stub() + Marker('1') + script + Marker('2') + archive)) << Text(data.m_strError);
    EXPECT_EQ("D\xC3\xA9mo \xE2\x80\x93 Tool", Text(data.m_strAppName));
    EXPECT_EQ(utf8.substr(3), Text(data.m_strScript));
  }
  // Behind the mark, bytes that are not UTF-8 are a damaged installer.
  EXPECT_TRUE(Load(Stub() + Marker('1') + "\xEF\xBB\xBF#AppName\r\nD\xE9mo\r\n#end" + Marker('2') + archive));
  EXPECT_EQ(kCorrupt, Text(data.m_strError));
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
      // offsets that count from 8 bytes in front of marker 2's end: the
      // records are all found, but the archive would begin in the script
      WithDirOffset(archive, 8),
      // the central directory on volume 1: a file beside the installer
      // (setup.001 below, a sound copy) is never opened in its stead
      archive.substr(0, archive.size() - 16) + std::string("\x01\x00", 2) + archive.substr(archive.size() - 14),
  };
  TestDir::WriteFile(dir.Path("setup.001"), head + archive);
  for (size_t i = 0; i < sizeof(damaged) / sizeof(damaged[0]); ++i) {
    CSetupData fresh;
    std::string path = dir.Path("setup.exe");
    TestDir::WriteFile(path, head + damaged[i]);
    EXPECT_TRUE(fresh.LoadOverlayFrom(path.c_str(), agreement)) << "case " << i;
    EXPECT_EQ(kCorrupt, Text(fresh.m_strError)) << "case " << i;
  }
}

TEST_F(OverlayLoad, AFileCutOrChangedWhileSetupReadsItGivesAnErrorNotACrash)
{
  std::string head = Stub() + Marker('1') + kScript + Marker('2');
  std::string archive = TestArchive();
  std::string path = dir.Path("setup.exe");
  ASSERT_FALSE(Load(head + archive)) << Text(data.m_strError);
#ifdef _WIN32
  // Shared for reading only: nobody changes the file while setup runs.
  CFile writer;
  EXPECT_FALSE(writer.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone));
#else
  // The same bytes with every byte of the tool's data changed, then the
  // file cut 40 bytes into the archive: setup holds it open throughout.
  std::string changed = head + archive;
  size_t tool = head.size() + archive.find("bin/tool.exe") + 12;
  for (size_t i = tool; i < tool + 200; ++i)
    changed[i] ^= 0x5a;
  TestDir::WriteFile(path, changed);
  int cause = 0;
  try {
    ASSERT_TRUE(data.m_archive.OpenEntry(2));
    std::string bytes(9000, '\0');
    data.m_archive.ReadEntry(&bytes[0], (uint32_t)bytes.size());
    data.m_archive.CloseEntry();
  } catch (CZipException* e) {
    cause = e->m_nCause;
    e->Delete();
    data.m_archive.CloseEntry(NULL, true);
  }
  EXPECT_NE(0, cause) << "a changed entry is an error";

  std::string host = path;
  for (char& c : host)
    if (c == '\\')
      c = '/';
  ASSERT_EQ(0, truncate(host.c_str(), (off_t)(head.size() + 40)));
  for (uint16_t i = 0; i < 3; ++i) {
    cause = 0;
    try {
      data.m_archive.ExtractFile(i, dir.Root().c_str());
    } catch (CZipException* e) {
      cause = e->m_nCause;
      e->Delete();
      data.m_archive.CloseEntry(NULL, true);
    }
    if (i != 1) {  // the folder entry needs no data
      EXPECT_EQ(CZipException::corruptArchive, cause) << "entry " << i;
    }
  }
#endif
}

TEST_F(OverlayLoad, AMissingFileCannotBeOpened)
{
  EXPECT_TRUE(data.LoadOverlayFrom(dir.Path("no such setup.exe").c_str(), agreement));
  EXPECT_EQ(
      "Source file could not be opened!\n\nIf you are running this setup application from the\n"
      "command prompt, try running it from Windows!",
      Text(data.m_strError));
}

#ifdef CAN_FAIL_ALLOCATIONS
TEST_F(OverlayLoad, AHeadTooLargeForMemoryIsReported)
{
  // Markers behind 1.5 GB of nothing (a sparse file): the head up to
  // marker 2 cannot be held.
  std::string path = dir.Path("setup.exe");
  TestDir::WriteFile(path, "");
  std::string host = path;
  for (char& c : host)
    if (c == '\\')
      c = '/';
  ASSERT_EQ(0, truncate(host.c_str(), 1536LL << 20));
  FILE* pFile = fopen(host.c_str(), "ab");
  ASSERT_NE(nullptr, pFile);
  std::string tail = Marker('1') + kScript + Marker('2') + TestArchive();
  fwrite(tail.data(), 1, tail.size(), pFile);
  fclose(pFile);
  EXPECT_TRUE(data.LoadOverlayFrom(path.c_str(), agreement));
  EXPECT_EQ("Out of memory!", Text(data.m_strError));
  EXPECT_EQ(nullptr, data.m_pImage);
}
#endif
