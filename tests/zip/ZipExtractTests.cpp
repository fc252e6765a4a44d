// Archives made by real tools, extracted as setup extracts them, compared
// byte for byte with the tree they were made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "ZipTestSupport.h"

namespace {
struct ToolArchive
{
  const char* name;
  bool bDosReadOnly;  // the tool records the read-only file with DOS attribute 0x01
};

const ToolArchive kToolArchives[] = {
    {"infozip-stored.zip", true},
    {"infozip-deflated.zip", true},
    {"infozip-stream.zip", true},
    {"infozip-fd.zip", true},
    {"bsdtar.zip", false},
    {"7z.zip", true},
    {"python-stored.zip", false},
    {"python-deflated.zip", false},
    {"python-stream.zip", false},
    {"python-stream-nosig.zip", false},
    {"biased.zip", true},
    // Folders marked by the trailing "/" alone.
    {"bsdtar-dirs.zip", false},
    {"jar.zip", false},
};

// Names beyond ASCII (make_archives.py, make_name_archives), each archive
// with the names a reader must give beside it (NAME.names, in UTF-8).
struct NameArchive
{
  const char* name;
  bool bContentIsName;  // each file holds its UTF-8 name and a line break
};

const NameArchive kNameArchives[] = {
    // Under a UTF-8 locale, flagged with bit 11.
    {"utf8-bsdtar.zip", true},
    {"utf8-7z.zip", true},
    {"utf8-python.zip", true},
    // Info-ZIP's: flagged where it could load the UTF-8 locale, else OEM
    // bytes, whatever they were meant as (the expected names say which).
    {"utf8-infozip.zip", false},
    // By hand: code page 437 and 850 bytes, read with this system's OEM
    // page (437 here and under wine's C.UTF-8); Unicode Path blocks.
    {"oem437-names.zip", false},
    {"oem850-names.zip", false},
    {"unicode-path.zip", false},
};

std::set<std::string> ExpectedNames(const std::string& archive)
{
  Bytes bytes = LoadArchive(archive.substr(0, archive.size() - 4) + ".names");
  std::set<std::string> names;
  std::string line;
  for (uint8_t c : bytes) {
    if (c == '\n')
      names.insert(line), line.clear();
    else
      line += (char)c;
  }
  return names;
}

// An entry's data; false when it cannot be opened or does not close
// cleanly (its CRC or sizes).
bool ReadWhole(CZipReader& reader, uint16_t nIndex, std::string& data)
{
  if (!reader.OpenEntry(nIndex))
    return false;
  char buffer[4096];
  uint32_t n;
  while ((n = reader.ReadEntry(buffer, sizeof(buffer))) > 0)
    data.append(buffer, n);
  return reader.CloseEntry() == ZIP_CLOSE_DONE;
}

void ExtractAll(CZipReader& reader, const std::string& dest)
{
  ASSERT_GT(reader.GetCount(), 0);
  for (int i = 0; i < reader.GetCount(); ++i)
    EXPECT_TRUE(reader.ExtractFile((uint16_t)i, dest.c_str(), true, NULL, NULL, NULL, 65535)) << "entry " << i;
}

long long SecondsBetween(fs::file_time_type a, fs::file_time_type b)
{
  return std::chrono::duration_cast<std::chrono::seconds>(a > b ? a - b : b - a).count();
}

// Every file of the tree is there with the same bytes and time (DOS times
// keep two seconds), and nothing else is.
void ExpectSameTree(const CScratchDir& dest, bool bReadOnlyExpected)
{
  fs::path tree = fs::u8path(FixturePath("tree"));
  std::set<std::string> expected;
  for (auto& entry : fs::recursive_directory_iterator(tree)) {
    if (!entry.is_regular_file())
      continue;
    std::string rel = fs::relative(entry.path(), tree).generic_string();
    expected.insert(rel);
    fs::path out = dest.Fs() / fs::u8path(rel);
    ASSERT_TRUE(fs::exists(out)) << rel;
    EXPECT_TRUE(LoadFile(out.string()) == LoadFile(entry.path().string())) << rel;
    EXPECT_LE(SecondsBetween(fs::last_write_time(out), fs::last_write_time(entry.path())), 2) << rel;
    bool bReadOnly = bReadOnlyExpected && rel == "readonly.txt";
    EXPECT_EQ(IsReadOnly(out), bReadOnly) << rel;
  }
  EXPECT_EQ(dest.Files(), expected);
}
}  // namespace

class ToolArchiveTest : public ::testing::TestWithParam<ToolArchive>
{};

TEST_P(ToolArchiveTest, extracts_the_tree_exactly_from_memory)
{
  CMemArchive archive(LoadArchive(GetParam().name));
  archive.Open();
  CScratchDir dest;
  ExtractAll(archive.reader, dest.Path());
  ExpectSameTree(dest, GetParam().bDosReadOnly);
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolArchiveTest, ::testing::ValuesIn(kToolArchives),
                         [](const ::testing::TestParamInfo<ToolArchive>& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             if (!isalnum((unsigned char)c))
                               c = '_';
                           return name;
                         });

TEST(ZipExtract, extracts_from_a_file_on_disk_and_reports_its_path)
{
  std::string path = FixturePath("archives/infozip-deflated.zip");
  CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
  CZipReader reader;
  reader.Open(&file);
  CScratchDir dest;
  ExtractAll(reader, dest.Path());
  ExpectSameTree(dest, true);
  // A failure names the archive file (a memory file has no name).
  EXPECT_EQ(ZipCause([&] { reader.ExtractFile(0, dest.Path().c_str(), true, "..\\x"); }),
            CZipException::unsafeEntryName);
  try {
    reader.ExtractFile(0, dest.Path().c_str(), true, "..\\x");
  } catch (CZipException* e) {
    EXPECT_STREQ(e->m_strArchive, path.c_str());
    e->Delete();
  }
}

TEST(ZipExtract, archive_behind_more_than_2_GiB_of_other_bytes_is_read_through_its_bias)
{
  // As at the end of an installer of more than 2 GiB: the file's first
  // 2 GiB and 4 KiB are a hole (sparse, no disk used), the archive follows.
  fs::path large = fs::current_path() / "behind-2-GiB.exe";
  Bytes zip = LoadArchive("infozip-deflated.zip");
  {
    CFile out(large.string().c_str(), CFile::modeCreate | CFile::modeWrite);
    out.Seek(0x7FFFFFFF, CFile::begin);
    out.Seek(4097, CFile::current);
    out.Write(zip.data(), (UINT)zip.size());
  }
  {
    CFile file(large.string().c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CZipReader reader;
    reader.Open(&file);
    EXPECT_EQ(0x80001000u, reader.m_directory.m_nBias);
    CScratchDir dest;
    ExtractAll(reader, dest.Path());
    ExpectSameTree(dest, true);
  }
  fs::remove(large);
}

TEST(ZipExtract, reads_numbered_volumes_of_a_split_archive)
{
  std::string path = FixturePath("archives/split/payload.zip");
  CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
  CZipReader reader;
  reader.Open(&file);
  EXPECT_TRUE(reader.m_source.IsSpanned());
  CScratchDir dest;
  ExtractAll(reader, dest.Path());
  ExpectSameTree(dest, true);
}

TEST(ZipExtract, missing_volume_raises_a_file_exception)
{
  CScratchDir dir;
  for (const char* name : {"payload.001", "payload.zip"})
    fs::copy_file(fs::u8path(FixturePath(std::string("archives/split/") + name)), dir.Fs() / name);
  CFile file((dir.Fs() / "payload.zip").string().c_str(), CFile::modeRead | CFile::shareDenyWrite);
  CZipReader reader;
  reader.Open(&file);
  CScratchDir dest;
  // The first entry lies on volume 0, payload.000, which is not there.
  EXPECT_TRUE(ThrowsFileException([&] { reader.ExtractFile(0, dest.Path().c_str()); }));
}

TEST(ZipExtract, stdin_entry_of_a_streamed_archive_matches_its_input)
{
  CMemArchive archive(LoadArchive("infozip-stdin.zip"));
  archive.Open();
  ASSERT_EQ(archive.reader.GetCount(), 1);
  CZipEntryHeader header;
  ASSERT_TRUE(archive.reader.GetEntryInfo(header, 0));
  EXPECT_TRUE(header.HasDescriptor());
  CScratchDir dest;
  ASSERT_TRUE(archive.reader.ExtractFile(0, dest.Path().c_str()));
  EXPECT_TRUE(LoadFile((dest.Fs() / "-").string()) == LoadTreeFile("docs/manual.txt"));

  // The same stream as a Zip64 entry: its descriptor has 8-byte sizes and
  // does not match; a clear refusal, not a wrong file.
  CMemArchive zip64(LoadArchive("infozip-stdin-zip64.zip"));
  zip64.Open();
  EXPECT_EQ(ZipCause([&] { zip64.reader.ExtractFile(0, dest.Path().c_str()); }), CZipException::corruptArchive);
}

TEST(ZipExtract, descriptor_is_found_behind_data_left_unread)
{
  // border.txt's last compressed byte only ends the deflate stream, and it
  // lies alone in a third input chunk: every byte is delivered before it is read.
  CMemArchive border(LoadArchive("chunk-border.zip"));
  border.Open();
  CScratchDir dest;
  ExtractAll(border.reader, dest.Path());
  EXPECT_EQ(dest.Files(), (std::set<std::string>{"after.txt", "border.txt"}));
  EXPECT_TRUE(LoadFile((dest.Fs() / "border.txt").string()) == LoadFile(FixturePath("archives/chunk-border.txt")));

  // A copy stopped by the progress callback leaves most of the data unread:
  // the entry still closes (bytes left, no exception) and the next one follows.
  CMemArchive stream(LoadArchive("python-stream.zip"));
  stream.Open();
  int nManual = FindEntry(stream.reader, "docs\\manual.txt");
  ASSERT_GE(nManual, 0);
  auto stop = [](uint32_t, uint32_t, void*) { return false; };
  EXPECT_EQ(
      ZipCause([&] {
        EXPECT_FALSE(stream.reader.ExtractFile((uint16_t)nManual, dest.Path().c_str(), true, NULL, stop, NULL, 4096));
      }),
      0);
  EXPECT_EQ(stream.reader.m_nEntryMode, 0);
  EXPECT_TRUE(stream.reader.ExtractFile((uint16_t)FindEntry(stream.reader, "readme.txt"), dest.Path().c_str()));
}

TEST(ZipExtract, name_and_directory_choices_place_the_file)
{
  CMemArchive archive(LoadArchive("python-deflated.zip"));
  archive.Open();
  int nIndex = FindEntry(archive.reader, "docs\\guide\\deep\\nested\\leaf.txt");
  ASSERT_GE(nIndex, 0);
  CScratchDir dest;
  std::string dir = dest.Path() + "\\\\";  // trailing backslashes are dropped
  ASSERT_TRUE(archive.reader.ExtractFile((uint16_t)nIndex, dir.c_str(), false));
  ASSERT_TRUE(archive.reader.ExtractFile((uint16_t)nIndex, dir.c_str(), true, "C:\\renamed\\leaf copy.txt"));
  EXPECT_EQ(dest.Files(), (std::set<std::string>{"leaf.txt", "renamed/leaf copy.txt"}));
  EXPECT_TRUE(LoadFile((dest.Fs() / "renamed" / "leaf copy.txt").string()) ==
              LoadTreeFile("docs/guide/deep/nested/leaf.txt"));
}

TEST(ZipExtract, read_cycle_delivers_exact_buffers_and_a_final_zero)
{
  CMemArchive archive(LoadArchive("python-deflated.zip"));
  archive.Open();
  int nIndex = FindEntry(archive.reader, "bin\\blocks.dat");  // 2 x 65535 bytes
  ASSERT_GE(nIndex, 0);
  ASSERT_TRUE(archive.reader.OpenEntry((uint16_t)nIndex));
  EXPECT_FALSE(archive.reader.OpenEntry((uint16_t)nIndex));  // one entry at a time
  Bytes data, buffer(65535);
  std::vector<uint32_t> reads;
  uint32_t n;
  do {
    n = archive.reader.ReadEntry(buffer.data(), 65535);
    reads.push_back(n);
    data.insert(data.end(), buffer.begin(), buffer.begin() + n);
  } while (n == 65535);
  EXPECT_EQ(reads, (std::vector<uint32_t>{65535, 65535, 0}));
  EXPECT_EQ(archive.reader.CloseEntry(), 1);
  EXPECT_TRUE(data == LoadTreeFile("bin/blocks.dat"));
  EXPECT_EQ(archive.reader.CloseEntry(), 0);  // nothing open any more
}

TEST(ZipExtract, empty_and_comment_only_archives_have_no_entries)
{
  CZipEntryHeader header;
  CZipReader closed;
  EXPECT_FALSE(closed.GetEntryInfo(header, 0));
  EXPECT_TRUE(closed.IsClosed());

  CMemArchive empty(LoadArchive("empty.zip"));
  empty.Open();
  EXPECT_FALSE(empty.reader.IsClosed());
  EXPECT_EQ(empty.reader.GetCount(), 0);
  EXPECT_FALSE(empty.reader.GetEntryInfo(header, 0));

  // The comment holds a signature and an empty end record behind it; the
  // backward scan meets that one first and takes it.
  CMemArchive commented(LoadArchive("comment-signature.zip"));
  commented.Open();
  EXPECT_EQ(commented.reader.GetCount(), 0);
}

TEST(ZipExtract, directory_entries_are_made_without_opening_an_entry)
{
  CMemArchive archive(LoadArchive("7z.zip"));
  archive.Open();
  int nIndex = FindEntry(archive.reader, "docs\\guide\\deep\\");
  ASSERT_GE(nIndex, 0);
  ASSERT_TRUE(archive.reader.IsDirectoryEntry((uint16_t)nIndex));
  CScratchDir dest;
  // Even with no copy buffer, since no data is read.
  EXPECT_TRUE(archive.reader.ExtractFile((uint16_t)nIndex, dest.Path().c_str(), true, NULL, NULL, NULL, 0));
  EXPECT_TRUE(fs::is_directory(dest.Fs() / "docs" / "guide" / "deep"));
  EXPECT_EQ(archive.reader.m_nEntryMode, 0);
  EXPECT_FALSE(archive.reader.IsDirectoryEntry(60000));
}

TEST(ZipExtract, progress_callback_can_stop_the_copy)
{
  CMemArchive archive(LoadArchive("infozip-deflated.zip"));
  archive.Open();
  int nIndex = FindEntry(archive.reader, "docs\\manual.txt");
  ASSERT_GE(nIndex, 0);
  std::vector<uint32_t> calls;
  auto stopAfterFirst = [](uint32_t nDone, uint32_t, void* pUser) {
    static_cast<std::vector<uint32_t>*>(pUser)->push_back(nDone);
    return false;
  };
  auto goOn = [](uint32_t nDone, uint32_t nTotal, void* pUser) {
    static_cast<std::vector<uint32_t>*>(pUser)->push_back(nDone);
    return nDone <= nTotal;
  };
  CScratchDir dest;
  EXPECT_FALSE(
      archive.reader.ExtractFile((uint16_t)nIndex, dest.Path().c_str(), true, NULL, stopAfterFirst, &calls, 4096));
  EXPECT_EQ(calls, std::vector<uint32_t>{4096});
  EXPECT_EQ(archive.reader.m_nEntryMode, 0);  // closed with result -1
  ASSERT_TRUE(archive.reader.ExtractFile((uint16_t)nIndex, dest.Path().c_str(), true, NULL, goOn, &calls, 65535));
  EXPECT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls.back(), 238450u);
}

TEST(ZipNames, names_read_back_in_utf8_as_each_archive_states_their_encoding)
{
  for (const NameArchive& test : kNameArchives) {
    CMemArchive archive(LoadArchive(test.name));
    archive.Open();
    std::set<std::string> names;
    for (uint16_t i = 0; i < archive.reader.GetCount(); ++i) {
      CZipEntryHeader header;
      ASSERT_TRUE(archive.reader.GetEntryInfo(header, i));
      std::string name(header.GetFileName(), (size_t)header.GetFileName().GetLength());
      std::replace(name.begin(), name.end(), '\\', '/');
      names.insert(name);
      if (archive.reader.IsDirectoryEntry(i))
        continue;
      // The data behind a name that decodes longer than it is stored: the
      // local header agrees with the stored length, and the CRC checks out.
      std::string data;
      EXPECT_TRUE(ReadWhole(archive.reader, i, data)) << test.name << ": " << name;
      if (test.bContentIsName) {
        EXPECT_EQ(data, name + "\n") << test.name;
      }
    }
    EXPECT_EQ(names, ExpectedNames(test.name)) << test.name;
  }
}
