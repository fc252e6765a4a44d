// zip_bench ARCHIVE DEST: extracts every entry of ARCHIVE into the new
// directory DEST as setup does (archive in memory, CZipReader::ExtractFile,
// buffer 65535, full paths), then, for reference, reads every entry through
// the reader into memory (no files), and runs zlib's raw inflate plus crc32
// alone over the same entries. Prints MB/s of output for each.
#include <chrono>
#include <stdio.h>
#include <sys/stat.h>
#include <vector>

#include "bench/InflateEntries.h"
#include "zip/ZipReader.h"

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

}  // namespace

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
    int nBadCrc = 0;
    uint64_t nInflated = InflateEntries(reader, archive.data(), archive.size(), &nBadCrc);
    double inflateSeconds = Seconds(start);
    if (nBadCrc != 0)
      fprintf(stderr, "zip_bench: %d entries' CRC differs\n", nBadCrc);

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
