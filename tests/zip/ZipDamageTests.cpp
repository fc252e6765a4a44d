// Damaged archives: each one starts as a real tool's archive and is damaged
// in memory as its comment says. The reader must answer with a cause, never
// crash, hang or write outside its target.
#include <gtest/gtest.h>
#include <zlib.h>

#include "framework/os/FileSystem.h"
#include "ZipTestSupport.h"

namespace {
// Opens the bytes and extracts every entry, going on after failures as a
// careful caller would. Returns the causes met (0 for a CFileException).
std::set<int> ExtractEverything(const Bytes& bytes, const std::string& dest)
{
  std::set<int> causes;
  CMemArchive archive(bytes);
  try {
    archive.Open();
  } catch (CException* e) {
    CZipException* z = dynamic_cast<CZipException*>(e);
    causes.insert(z ? z->m_nCause : 0);
    e->Delete();
    return causes;
  }
  for (int i = 0; i < archive.reader.GetCount(); ++i) {
    try {
      archive.reader.ExtractFile((uint16_t)i, dest.c_str());
    } catch (CException* e) {
      CZipException* z = dynamic_cast<CZipException*>(e);
      causes.insert(z ? z->m_nCause : 0);
      e->Delete();
      archive.reader.CloseEntry(NULL, true);
    }
  }
  return causes;
}

int ExtractCause(const Bytes& bytes, const char* lpszEntry)
{
  CMemArchive archive(bytes);
  archive.Open();
  int nIndex = FindEntry(archive.reader, lpszEntry);
  EXPECT_GE(nIndex, 0) << lpszEntry;
  CScratchDir dest;
  return ZipCause([&] { EXPECT_FALSE(archive.reader.ExtractFile((uint16_t)nIndex, dest.Path().c_str())); });
}

int OpenCause(const Bytes& bytes)
{
  CMemArchive archive(bytes);
  return ZipCause([&] { archive.Open(); });
}

// Opens the archive and returns the name of the volume file whose opening
// failed, or "(none)" when no such failure came.
CString VolumeTried(CMemArchive& archive)
{
  try {
    archive.Open();
  } catch (CFileException* e) {
    CString strName = e->m_strFileName;
    e->Delete();
    return strName;
  }
  return "(none)";
}

Bytes Slice(const Bytes& b, size_t from, size_t to) { return Bytes(b.begin() + from, b.begin() + to); }
}  // namespace

TEST(ZipDamage, truncated_archives_are_refused_at_open)
{
  Bytes original = LoadArchive("python-deflated.zip");
  size_t end = FindEndRecord(original);
  // Cut off the tail at ~100 offsets and at every byte of the end record:
  // without its signature the record is missing; with it, it reads short.
  for (size_t n = 0; n < original.size(); n += original.size() / 97 + 1) {
    int nCause = OpenCause(Slice(original, 0, n));
    EXPECT_TRUE(nCause == CZipException::endRecordMissing || nCause == CZipException::corruptArchive) << n;
  }
  for (size_t n = end; n < original.size(); ++n)
    EXPECT_EQ(OpenCause(Slice(original, 0, n)),
              n < end + 4 ? CZipException::endRecordMissing : CZipException::corruptArchive)
        << n;
  // Cut off the head: the recorded offsets now lie beyond the end record.
  for (size_t n = 1; n < end; n += end / 31 + 1)
    EXPECT_EQ(OpenCause(Slice(original, n, original.size())), CZipException::corruptArchive) << n;
  // Files shorter than a record: with and without a signature.
  EXPECT_EQ(OpenCause(Bytes{'P', 'K', 5, 6, 0, 0}), CZipException::corruptArchive);
  EXPECT_EQ(OpenCause(Bytes{'P', 'K', 5}), CZipException::endRecordMissing);
  EXPECT_EQ(OpenCause(Bytes{}), CZipException::endRecordMissing);

  // Refused before its end record was read, the reader stays closed and
  // opens another file; refused after it, it stays open and opens no other.
  CMemArchive early(Bytes{'P', 'K', 5});
  EXPECT_EQ(ZipCause([&] { early.Open(); }), CZipException::endRecordMissing);
  EXPECT_TRUE(early.reader.IsClosed());
  CMemFile good(original.data(), (UINT)original.size(), 0);
  early.reader.Open(&good);
  EXPECT_EQ(early.reader.GetCount(), (int)LocateEntries(original).size());
  CMemArchive late(Slice(original, 1, original.size()));
  EXPECT_EQ(ZipCause([&] { late.Open(); }), CZipException::corruptArchive);
  EXPECT_FALSE(late.reader.IsClosed());
  late.reader.Open(&good);
  EXPECT_LT(late.reader.GetCount(), (int)LocateEntries(original).size());
}

TEST(ZipDamage, flipped_entry_bytes_fail_the_inflate_or_the_crc)
{
  // Stored: one byte of random.bin inverted, so only the CRC can tell.
  Bytes stored = LoadArchive("python-stored.zip");
  const EntryRecords& random = EntryNamed(LocateEntries(stored), "bin/random.bin");
  stored[random.nData + 5000] ^= 0xFF;
  EXPECT_EQ(ExtractCause(stored, "bin\\random.bin"), CZipException::checksumMismatch);

  // Deflated: one byte of manual.txt's compressed data inverted at a time.
  // Inflate finds the damage, or the CRC does, or the stream ends short of
  // the recorded size (cause 0: ExtractFile returned false, result -1).
  Bytes deflated = LoadArchive("infozip-deflated.zip");
  const EntryRecords manual = EntryNamed(LocateEntries(deflated), "docs/manual.txt");
  std::set<int> causes;
  for (size_t at = 100; at < manual.nPackedSize; at += manual.nPackedSize / 29) {
    Bytes damaged = deflated;
    damaged[manual.nData + at] ^= 0xFF;
    int nCause = ExtractCause(damaged, "docs\\manual.txt");
    causes.insert(nCause);
    EXPECT_TRUE(nCause == 0 || nCause == CZipException::inflateDataError || nCause == CZipException::checksumMismatch)
        << "offset " << at << " cause " << nCause;
  }
  EXPECT_TRUE(causes.count(CZipException::inflateDataError));
}

TEST(ZipDamage, local_header_must_agree_with_the_central_record)
{
  Bytes original = LoadArchive("python-stored.zip");
  const EntryRecords readme = EntryNamed(LocateEntries(original), "readme.txt");
  struct Change
  {
    size_t nOffset;  // within the local header
    uint16_t nXor;
    bool bAccepted;
  } changes[] = {
      {8, 8, false},       // method 0 becomes 8
      {6, 2, false},       // another flag bit
      {26, 1, false},      // name length one more
      {14, 1, false},      // CRC
      {18, 1, false},      // compressed size
      {22, 1, false},      // uncompressed size
      {0, 1, false},       // signature
      {4, 1, true},        // version needed: not compared
      {10, 0x0421, true},  // time
      {12, 0x0021, true},  // date
      {30, 0x2020, true},  // name bytes (same length): not compared
  };
  for (const Change& change : changes) {
    Bytes damaged = original;
    damaged[readme.nLocal + change.nOffset] ^= (uint8_t)change.nXor;
    damaged[readme.nLocal + change.nOffset + 1] ^= (uint8_t)(change.nXor >> 8);
    CMemArchive archive(damaged);
    archive.Open();
    CScratchDir dest;
    int nCause = ZipCause([&] {
      EXPECT_TRUE(archive.reader.ExtractFile((uint16_t)FindEntry(archive.reader, "readme.txt"), dest.Path().c_str()));
    });
    EXPECT_EQ(nCause, change.bAccepted ? 0 : (int)CZipException::corruptArchive) << "offset " << change.nOffset;
  }
}

TEST(ZipDamage, methods_other_than_stored_and_deflated_are_refused)
{
  // bzip2.zip: made by Info-ZIP with -Z bzip2 (method 12 in both records).
  EXPECT_EQ(ExtractCause(LoadArchive("bzip2.zip"), "docs\\manual.txt"), CZipException::corruptArchive);
}

TEST(ZipDamage, data_descriptor_must_match_the_central_record)
{
  for (const char* name : {"python-stream.zip", "python-stream-nosig.zip", "infozip-stream.zip"}) {
    Bytes damaged = LoadArchive(name);
    const EntryRecords leaf = EntryNamed(LocateEntries(damaged), "docs/guide/deep/nested/leaf.txt");
    size_t descriptor = leaf.nData + leaf.nPackedSize;
    if (Get32(damaged, descriptor) == 0x08074B50)
      descriptor += 4;
    damaged[descriptor + 8] ^= 1;  // the descriptor's uncompressed size
    EXPECT_EQ(ExtractCause(damaged, "docs\\guide\\deep\\nested\\leaf.txt"), CZipException::corruptArchive) << name;
  }
}

TEST(ZipDamage, offsets_and_sizes_beyond_the_file_are_corrupt_archives)
{
  Bytes original = LoadArchive("python-deflated.zip");
  std::vector<EntryRecords> entries = LocateEntries(original);
  size_t end = FindEndRecord(original);
  const EntryRecords& readme = EntryNamed(entries, "readme.txt");

  Bytes damaged = original;  // local header offset far past the end
  Put32(damaged, readme.nCentral + 42, 0xFFFFFF00);
  EXPECT_EQ(ExtractCause(damaged, "readme.txt"), CZipException::corruptArchive);

  damaged = original;  // directory offset and size that wrap around 2^32
  Put32(damaged, end + 16, 0xFFFFFFF0);
  Put32(damaged, end + 12, 0x20);
  EXPECT_EQ(OpenCause(damaged), CZipException::corruptArchive);

  damaged = original;  // more entries than the directory holds
  Put16(damaged, end + 10, 0xFFFF);
  EXPECT_EQ(OpenCause(damaged), CZipException::corruptArchive);

  damaged = original;  // the last record's comment runs past the end of the file
  Put16(damaged, entries.back().nCentral + 32, 0xFFFF);
  EXPECT_EQ(OpenCause(damaged), CZipException::corruptArchive);

  damaged = original;  // entry count without a directory size
  Put32(damaged, end + 12, 0);
  EXPECT_EQ(OpenCause(damaged), CZipException::corruptArchive);

  // A compressed size far beyond the file (descriptor entries skip the
  // local comparison): the data read comes up short.
  Bytes stream = LoadArchive("python-stream.zip");
  Put32(stream, EntryNamed(LocateEntries(stream), "readme.txt").nCentral + 20, 0x7FFFFFFF);
  EXPECT_EQ(ExtractCause(stream, "readme.txt"), CZipException::corruptArchive);
}

TEST(ZipDamage, stored_entry_with_disagreeing_sizes_ends)
{
  Bytes original = LoadArchive("python-stored.zip");
  const EntryRecords readme = EntryNamed(LocateEntries(original), "readme.txt");  // 54 bytes
  for (uint32_t nSize : {100u, 10u}) {
    Bytes damaged = original;
    Put32(damaged, readme.nCentral + 24, nSize);
    Put32(damaged, readme.nLocal + 22, nSize);
    CMemArchive archive(damaged);
    archive.Open();
    CScratchDir dest;
    uint16_t nIndex = (uint16_t)FindEntry(archive.reader, "readme.txt");
    int nCause = ZipCause([&] { EXPECT_FALSE(archive.reader.ExtractFile(nIndex, dest.Path().c_str())); });
    // More promised than stored: bytes left, result -1, which the caller
    // can tell from a failure to set attributes. Fewer: the CRC of what was
    // delivered is wrong.
    EXPECT_EQ(nCause, nSize > 54 ? 0 : (int)CZipException::checksumMismatch);
    if (nSize > 54) {
      EXPECT_EQ(archive.reader.m_nExtractClose, ZIP_CLOSE_NOT_READ_TO_END);
    }
    EXPECT_EQ(fs::file_size(dest.Fs() / "readme.txt"), nSize > 54 ? 54u : nSize);
  }
}

TEST(ZipDamage, end_record_naming_another_volume_fails_to_open_it)
{
  Bytes original = LoadArchive("python-deflated.zip");
  size_t end = FindEndRecord(original);
  Bytes spanned = original;  // "this is disk 1, the directory starts on disk 0"
  Put16(spanned, end + 4, 1);
  CMemArchive archive(spanned);
  // A memory file has no path: the volume name is just "." and the number.
  EXPECT_STREQ(VolumeTried(archive), ".000");
  EXPECT_FALSE(archive.reader.IsClosed());

  Bytes single = original;  // one file, but the directory on disk 2
  Put16(single, end + 6, 2);
  CMemArchive other(single);
  EXPECT_STREQ(VolumeTried(other), ".002");
}

TEST(ZipDamage, entry_naming_another_disk_of_a_one_file_archive_is_refused_and_the_file_stays_open)
{
  // readme.txt's central record says it starts on disk 1. Opened as setup
  // opens its own installer: one file, read from disk.
  Bytes damaged = LoadArchive("python-deflated.zip");
  Put16(damaged, EntryNamed(LocateEntries(damaged), "readme.txt").nCentral + 34, 1);
  CScratchDir dir;
  const std::string path = (dir.Fs() / "payload.zip").string();
  CFile(path.c_str(), CFile::modeCreate | CFile::modeWrite).Write(damaged.data(), (UINT)damaged.size());
  CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
  CZipReader reader;
  reader.Open(&file, ZIP_OPEN_ONE_FILE);
  CScratchDir dest;
  EXPECT_EQ(ZipCause([&] { reader.ExtractFile((uint16_t)FindEntry(reader, "readme.txt"), dest.Path().c_str()); }),
            CZipException::corruptArchive);
  reader.CloseEntry(NULL, true);
  // Every other entry still comes from the file.
  EXPECT_TRUE(reader.ExtractFile((uint16_t)FindEntry(reader, "docs\\manual.txt"), dest.Path().c_str()));
  EXPECT_TRUE(LoadFile((dest.Fs() / "docs" / "manual.txt").string()) == LoadTreeFile("docs/manual.txt"));
}

// The archive's own file failing, as a network share or a removable disk
// that goes away: a cause of the archive, not a file exception that would
// read like the output file's.
TEST(ZipDamage, read_failure_of_the_archive_file_is_a_cause_of_its_own)
{
  struct CFailingFile : public CMemFile
  {
    bool bFail = false;
    UINT Read(void* pBuf, UINT nCount) override
    {
      if (bFail)
        CFileException::Throw(CFileException::hardIO, 64 /* ERROR_NETNAME_DELETED */, "\\\\server\\setup.exe");
      return CMemFile::Read(pBuf, nCount);
    }
  };
  Bytes bytes = LoadArchive("python-deflated.zip");
  CFailingFile file;
  file.Attach(bytes.data(), (UINT)bytes.size(), 0);
  CZipReader reader;
  reader.Open(&file, ZIP_OPEN_ONE_FILE);
  file.bFail = true;
  CScratchDir dest;
  EXPECT_EQ(ZipCause([&] { reader.ExtractFile((uint16_t)FindEntry(reader, "readme.txt"), dest.Path().c_str()); }),
            CZipException::archiveReadError);
}

TEST(ZipDamage, archive_spread_over_removable_disks_is_refused)
{
  if (!IsRemovableDriveRoot("A:\\"))
    GTEST_SKIP() << "A: is no removable drive here";
  Bytes spanned = LoadArchive("python-deflated.zip");
  Put16(spanned, FindEndRecord(spanned) + 4, 1);  // "this is disk 1"
  CMemArchive archive(spanned);
  archive.file.SetFilePath("A:\\payload.zip");
  EXPECT_EQ(ZipCause([&] { archive.Open(); }), CZipException::removableSpanUnsupported);
  EXPECT_EQ(archive.reader.GetCount(), 0);
}

TEST(ZipDamage, compressed_size_ending_inside_the_deflate_stream_is_a_buffer_error)
{
  // manual.txt's recorded compressed size cut by 1000 bytes in both records:
  // inflate runs out of input before the stream ends.
  Bytes damaged = LoadArchive("python-deflated.zip");
  const EntryRecords manual = EntryNamed(LocateEntries(damaged), "docs/manual.txt");
  Put32(damaged, manual.nCentral + 20, manual.nPackedSize - 1000);
  Put32(damaged, manual.nLocal + 18, manual.nPackedSize - 1000);
  EXPECT_EQ(ExtractCause(damaged, "docs\\manual.txt"), CZipException::inflateBufferError);
}

TEST(ZipDamage, encrypted_entries_are_not_extracted)
{
  CMemArchive archive(LoadArchive("encrypted.zip"));  // zip -P secret
  archive.Open();
  CScratchDir dest;
  EXPECT_FALSE(archive.reader.ExtractFile(0, dest.Path().c_str()));
  EXPECT_TRUE(dest.Files().empty());
}

TEST(ZipDamage, names_leaving_the_target_are_refused_before_anything_is_made)
{
  CMemArchive archive(LoadArchive("unsafe-names.zip"));
  archive.Open();
  CScratchDir outer;
  std::string dest = outer.Path() + "/dest";
  for (int i = 0; i < archive.reader.GetCount(); ++i) {
    CZipEntryHeader header;
    ASSERT_TRUE(archive.reader.GetEntryInfo(header, (uint16_t)i));
    std::string name(header.GetFileName());
    bool bEvil = name.find("evil") != std::string::npos;
    int nCause = ZipCause([&] { EXPECT_TRUE(archive.reader.ExtractFile((uint16_t)i, dest.c_str())); });
    EXPECT_EQ(nCause, bEvil ? (int)CZipException::unsafeEntryName : 0) << name;
  }
  EXPECT_EQ(outer.Files(), (std::set<std::string>{"dest/ok/a..b.txt", "dest/ok/..hidden"}));
  EXPECT_FALSE(fs::exists(outer.Fs().parent_path() / "evil1.txt"));
  EXPECT_EQ(archive.reader.m_nEntryMode, 0);
  // A new name is checked as well.
  EXPECT_EQ(ZipCause([&] { archive.reader.ExtractFile(0, dest.c_str(), true, "a\\..\\..\\x"); }),
            CZipException::unsafeEntryName);
}

TEST(ZipDamage, long_names_comments_and_extra_fields_are_kept_whole)
{
  CMemArchive archive(LoadArchive("long-fields.zip"));
  archive.Open();
  EXPECT_EQ(archive.reader.m_directory.m_comment.GetSize(), 65535u);
  CZipEntryHeader header;
  ASSERT_TRUE(archive.reader.GetEntryInfo(header, 0));
  EXPECT_EQ(header.m_extra.GetSize(), 65000u);
  EXPECT_EQ(header.m_comment.GetSize(), 60000u);
  EXPECT_EQ(header.GetRecordSize(), 46u + 9 + 65000 + 60000);
  CScratchDir dest;
  EXPECT_TRUE(archive.reader.ExtractFile(0, dest.Path().c_str()));
  EXPECT_EQ(archive.reader.m_directory.m_localExtra.GetSize(), 0u);  // released on close

  ASSERT_TRUE(archive.reader.GetEntryInfo(header, 1));
  EXPECT_EQ(header.GetFileName().GetLength(), 999);
  // 999 bytes in ten folders: beyond the old Windows path limit, which a
  // whole path lifts.
  bool bWritten = false;
  bool bRefused = ThrowsFileException([&] { bWritten = archive.reader.ExtractFile(1, dest.Path().c_str()); });
  EXPECT_FALSE(bRefused);
  EXPECT_TRUE(bWritten);
}

TEST(ZipDamage, an_entry_left_open_by_an_exception_blocks_until_closed_after_it)
{
  Bytes damaged = LoadArchive("infozip-deflated.zip");
  const EntryRecords manual = EntryNamed(LocateEntries(damaged), "docs/manual.txt");
  damaged[manual.nData + 2000] ^= 0xFF;
  CMemArchive archive(damaged);
  archive.Open();
  CScratchDir dest;
  uint16_t nManual = (uint16_t)FindEntry(archive.reader, "docs\\manual.txt");
  uint16_t nReadme = (uint16_t)FindEntry(archive.reader, "readme.txt");
  EXPECT_NE(ZipCause([&] { archive.reader.ExtractFile(nManual, dest.Path().c_str()); }), 0);
  EXPECT_EQ(archive.reader.m_nEntryMode, 255);
  EXPECT_FALSE(archive.reader.m_blocks.IsEmpty());  // inflate's blocks, still held
  EXPECT_FALSE(archive.reader.ExtractFile(nReadme, dest.Path().c_str()));
  // Closing after the exception frees the decompressor's blocks and reads
  // no descriptor from the middle of the data.
  EXPECT_EQ(archive.reader.CloseEntry(NULL, true), 1);
  EXPECT_TRUE(archive.reader.m_blocks.IsEmpty());
  EXPECT_TRUE(archive.reader.ExtractFile(nReadme, dest.Path().c_str()));
}

TEST(ZipDamage, name_ending_in_a_slash_is_a_folder_whatever_its_attributes)
{
  // "docs/" of python-stored.zip with its external attributes replaced by a
  // Unix mode alone, as bsdtar writes directories, and then by 0, as jar
  // does: no DOS directory bit. No file can have such a name, so it is a
  // folder, made without opening an entry.
  for (uint32_t nAttributes : {0x41ED0000u, 0u}) {
    CScratchDir dir;
    Bytes bytes = LoadArchive("python-stored.zip");
    std::vector<EntryRecords> entries = LocateEntries(bytes);
    Put32(bytes, EntryNamed(entries, "docs/").nCentral + 38, nAttributes);
    CMemArchive archive(bytes);
    archive.Open();
    uint16_t nDocs = (uint16_t)FindEntry(archive.reader, "docs\\");
    EXPECT_TRUE(archive.reader.IsDirectoryEntry(nDocs)) << std::hex << nAttributes;
    EXPECT_TRUE(archive.reader.ExtractFile(nDocs, dir.Path().c_str()));
    EXPECT_TRUE(fs::is_directory(dir.Fs() / "docs"));
    EXPECT_EQ(archive.reader.m_nEntryMode, 0);
  }
}

TEST(ZipDamage, only_the_dos_attribute_bits_reach_the_file)
{
  // readme.txt marked as made on Unix: a mode in the high 16 bits with
  // every bit set, and read-only and archive in the low byte.
  CScratchDir dir;
  Bytes bytes = LoadArchive("python-stored.zip");
  std::vector<EntryRecords> entries = LocateEntries(bytes);
  const EntryRecords& readme = EntryNamed(entries, "readme.txt");
  Put16(bytes, readme.nCentral + 4, 0x0314);
  Put32(bytes, readme.nCentral + 38, 0xFFFF0021);
  CMemArchive archive(bytes);
  archive.Open();
  uint16_t nReadme = (uint16_t)FindEntry(archive.reader, "readme.txt");
  EXPECT_FALSE(archive.reader.IsDirectoryEntry(nReadme));
  ASSERT_TRUE(archive.reader.ExtractFile(nReadme, dir.Path().c_str()));
  EXPECT_TRUE(IsReadOnly(dir.Fs() / "readme.txt"));
#ifdef _WIN32
  EXPECT_EQ(GetFileAttributesA((dir.Path() + "\\readme.txt").c_str()),
            (DWORD)(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
#endif
}

TEST(ZipErrors, unknown_codes_are_an_unknown_cause_and_zlib_codes_read_as_inflate_causes)
{
  for (int nCode : {0, 3, -100, -110})
    EXPECT_EQ(ZipCodeToCause(nCode), CZipException::unknownCause) << nCode;
  EXPECT_EQ(ZipCodeToCause(Z_DATA_ERROR), CZipException::inflateDataError);
  EXPECT_EQ(ZipCodeToCause(Z_BUF_ERROR), CZipException::inflateBufferError);
  EXPECT_EQ(ZipCodeToCause(ZIP_CODE_CHECKSUM), CZipException::checksumMismatch);
  try {
    RaiseZipError(-3, NULL);
  } catch (CException* e) {  // caught through the framework's base class
    ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CZipException)));
    EXPECT_EQ(static_cast<CZipException*>(e)->m_nCause, CZipException::inflateDataError);
    EXPECT_TRUE(static_cast<CZipException*>(e)->m_strArchive.IsEmpty());
    e->Delete();
  }
}

TEST(ZipDamage, every_single_byte_flip_ends_in_a_cause_inside_the_target)
{
  // unsafe-names.zip inverted one byte at a time, everything extracted each
  // time: only the reader's causes or a file exception, and never a file
  // outside the target directory.
  Bytes original = LoadArchive("unsafe-names.zip");
  CScratchDir outer;
  std::set<int> seen;
  for (size_t at = 0; at < original.size(); ++at) {
    Bytes damaged = original;
    damaged[at] ^= 0xFF;
    RemoveTree(outer.Fs() / "dest");
    std::set<int> causes = ExtractEverything(damaged, outer.Path() + "/dest");
    seen.insert(causes.begin(), causes.end());
    for (const std::string& file : outer.Files())
      ASSERT_EQ(file.rfind("dest/", 0), 0u) << "byte " << at << ": " << file;
  }
  EXPECT_TRUE(seen.count(CZipException::corruptArchive));
  EXPECT_TRUE(seen.count(CZipException::checksumMismatch));
  EXPECT_TRUE(seen.count(CZipException::unsafeEntryName));
}

TEST(ZipDamage, a_name_that_is_not_what_its_flag_says_is_a_corrupt_archive)
{
  // utf8-python.zip: zipfile sets bit 11 on "Привет.txt". The first bytes of
  // its name in the central record replaced by ill-formed UTF-8 or a NUL.
  Bytes original = LoadArchive("utf8-python.zip");
  const EntryRecords privet =
      EntryNamed(LocateEntries(original), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82.txt");
  const std::string illFormed[] = {
      "\x80",              // a continuation byte alone
      "\xC0\xAF",          // an overlong '/'
      "\xE0\x80\xAF",      // the same in three bytes
      "\xED\xA0\x80",      // a surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xE2\x82"
      "A",                     // a sequence cut short
      "\xFF",                  // no UTF-8 byte at all
      std::string("a\0b", 3),  // a NUL, which would cut the name
  };
  EXPECT_EQ(OpenCause(original), 0);
  for (const std::string& bytes : illFormed) {
    Bytes damaged = original;
    std::copy(bytes.begin(), bytes.end(), damaged.begin() + privet.nCentral + 46);
    EXPECT_EQ(OpenCause(damaged), CZipException::corruptArchive) << bytes;
    // Without bit 11 the same bytes are OEM text, which any byte but NUL is.
    Put16(damaged, privet.nCentral + 8, (uint16_t)(Get32(damaged, privet.nCentral + 8) & ~0x0800));
    EXPECT_EQ(OpenCause(damaged), bytes.find('\0') == std::string::npos ? 0 : (int)CZipException::corruptArchive)
        << bytes;
  }
}

TEST(ZipDamage, a_unicode_path_block_is_read_within_its_extra_field)
{
  // unicode-path.zip's first entry is stored as "??????.txt"; its central
  // extra field holds a timestamp block (9 bytes), then the Unicode Path
  // block: header, version, CRC-32 of the stored name, "Привет.txt".
  Bytes original = LoadArchive("unicode-path.zip");
  const EntryRecords entry = EntryNamed(LocateEntries(original), "??????.txt");
  const size_t extra = entry.nCentral + 46 + 10;
  const size_t block = extra + 9;
  auto NameRead = [](const Bytes& bytes) {
    CMemArchive archive(bytes);
    archive.Open();
    CZipEntryHeader header;
    archive.reader.GetEntryInfo(header, 0);
    return std::string(header.GetFileName());
  };
  EXPECT_EQ(NameRead(original), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82.txt");

  Bytes damaged = original;  // ill-formed UTF-8 in a block whose CRC matches
  damaged[block + 9] = (char)0xFF;
  EXPECT_EQ(OpenCause(damaged), CZipException::corruptArchive);

  // Blocks that do not fit are never read past the field: the stored name stands.
  damaged = original;  // the timestamp block claims the whole field and more
  Put16(damaged, extra + 2, 0xFFFF);
  EXPECT_EQ(NameRead(damaged), "??????.txt");
  damaged = original;  // the Unicode Path block one byte longer than what remains
  Put16(damaged, block + 2, (uint16_t)(Get32(damaged, block + 2) + 1));
  EXPECT_EQ(NameRead(damaged), "??????.txt");
}
