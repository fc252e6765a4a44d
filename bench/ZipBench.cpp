// zip_bench ARCHIVE DEST: extracts every entry of ARCHIVE into the new
// directory DEST as setup does (archive in memory, CZipReader::ExtractFile,
// buffer 65535, full paths), then, for reference, reads every entry through
// the reader into memory (no files), and runs zlib's raw inflate plus crc32
// alone over the same entries. Prints MB/s of output for each.
#include <chrono>
#include <stdio.h>
#include <sys/stat.h>
#include <vector>
#include <zlib.h>

#include "zip/ZipReader.h"
#include "zip/ZipRecords.h"

namespace {
typedef std::chrono::steady_clock Clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double MegabytesPerSecond(uint64_t nBytes, double seconds) { return nBytes / 1e6 / seconds; }

bool LoadFile(const char* path, std::vector<uint8_t>& data)
{
  FILE* f = fopen(path, "rb");
  if (!f)
    return false;
  struct stat st;
  bool bRead = fstat(fileno(f), &st) == 0;
  if (bRead) {
    data.resize((size_t)st.st_size);
    bRead = fread(data.data(), 1, data.size(), f) == data.size();
  }
  fclose(f);
  return bRead;
}

uint64_t ExtractAll(CZipReader& reader, const char* lpszDest)
{
  uint64_t nBytes = 0;
  for (int i = 0; i < reader.GetCount(); ++i) {
    CZipEntryHeader header;
    reader.GetEntryInfo(header, (uint16_t)i);
    if (!reader.ExtractFile((uint16_t)i, lpszDest, true, NULL, NULL, NULL, 65535))
      fprintf(stderr, "zip_bench: entry %d (%s) failed\n", i, (const char*)header.GetFileName());
    if (!reader.IsDirectoryEntry((uint16_t)i))
      nBytes += header.m_nSize;
  }
  return nBytes;
}

// The reader's read cycle alone, into memory: what it adds to zlib.
uint64_t ReadAll(CZipReader& reader)
{
  std::vector<uint8_t> buffer(65535);
  uint64_t nBytes = 0;
  for (int i = 0; i < reader.GetCount(); ++i) {
    if (reader.IsDirectoryEntry((uint16_t)i) || !reader.OpenEntry((uint16_t)i))
      continue;
    uint32_t n;
    do {
      n = reader.ReadEntry(buffer.data(), (uint32_t)buffer.size());
      nBytes += n;
    } while (n == buffer.size());
    reader.CloseEntry();
  }
  return nBytes;
}

// zlib alone: each entry's data inflated into one reused 64 KB buffer.
uint64_t InflateAll(CZipReader& reader, const std::vector<uint8_t>& archive)
{
  std::vector<uint8_t> out(65536);
  uint64_t nBytes = 0;
  for (int i = 0; i < reader.GetCount(); ++i) {
    CZipEntryHeader header;
    reader.GetEntryInfo(header, (uint16_t)i);
    size_t nLocal = (size_t)header.m_nLocalOffset + reader.m_directory.m_nBias;
    if (nLocal + LOC_RECORD_SIZE > archive.size())
      continue;
    CZipRecordView local(&archive[nLocal], LOC_RECORD_SIZE);
    size_t nData = nLocal + LOC_RECORD_SIZE + local.Get16(LOC_NAME_LENGTH) + local.Get16(LOC_EXTRA_LENGTH);
    if (nData + header.m_nPackedSize > archive.size())
      continue;
    const uint8_t* pData = &archive[nData];
    uLong crc = crc32(0, NULL, 0);
    if (header.m_nMethod == ZIP_METHOD_STORED) {
      crc = crc32(crc, pData, header.m_nPackedSize);
    } else {
      z_stream zs = {};
      inflateInit2(&zs, -MAX_WBITS);
      zs.next_in = const_cast<Bytef*>(pData);
      zs.avail_in = header.m_nPackedSize;
      int r;
      do {
        zs.next_out = out.data();
        zs.avail_out = (uInt)out.size();
        r = inflate(&zs, Z_SYNC_FLUSH);
        crc = crc32(crc, out.data(), (uInt)(out.size() - zs.avail_out));
      } while (r == Z_OK);
      inflateEnd(&zs);
    }
    if (crc != header.m_nChecksum)
      fprintf(stderr, "zip_bench: CRC of entry %d differs\n", i);
    nBytes += header.m_nSize;
  }
  return nBytes;
}
}

// The extraction is timed as a whole job, as setup does it: from reading the
// archive file into memory to the last entry written.
int main(int argc, char** argv)
{
  if (argc != 3) {
    fprintf(stderr, "usage: zip_bench ARCHIVE DEST\n");
    return 2;
  }
  if (mkdir(argv[2], 0777) != 0) {
    fprintf(stderr, "zip_bench: cannot make %s (it must not exist)\n", argv[2]);
    return 1;
  }
  Clock::time_point start = Clock::now();
  std::vector<uint8_t> archive;
  if (!LoadFile(argv[1], archive)) {
    fprintf(stderr, "zip_bench: cannot read %s\n", argv[1]);
    return 1;
  }
  try {
    CMemFile file(archive.data(), (UINT)archive.size(), 0);
    CZipReader reader;
    reader.Open(&file);
    uint64_t nBytes = ExtractAll(reader, argv[2]);
    double extractSeconds = Seconds(start);

    start = Clock::now();
    uint64_t nRead = ReadAll(reader);
    double readSeconds = Seconds(start);

    start = Clock::now();
    uint64_t nInflated = InflateAll(reader, archive);
    double inflateSeconds = Seconds(start);

    printf("entries: %d\n", reader.GetCount());
    printf("bytes: %llu\n", (unsigned long long)nBytes);
    printf("extract: %.1f MB/s (%.3f s)\n", MegabytesPerSecond(nBytes, extractSeconds), extractSeconds);
    printf("read cycle, no files: %.1f MB/s (%.3f s)\n", MegabytesPerSecond(nRead, readSeconds), readSeconds);
    printf("inflate+crc32: %.1f MB/s (%.3f s)\n", MegabytesPerSecond(nInflated, inflateSeconds), inflateSeconds);
  } catch (CException* e) {
    CZipException* z = dynamic_cast<CZipException*>(e);
    fprintf(stderr, "zip_bench: failed (cause %d)\n", z ? z->m_nCause : 0);
    e->Delete();
    return 1;
  }
  return 0;
}
