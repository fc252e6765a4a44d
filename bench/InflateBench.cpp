// inflate_bench ARCHIVE [ROUNDS]: zlib's raw inflate plus CRC-32 over every
// entry of ARCHIVE, in memory, built as the shipped programs are (i686, their
// compiler flags, their zlib); run in the WoW64 root by inflate-speed.sh.
// ROUNDS rounds (3 by default); prints which zlib it has, each round and the
// best as "inflate+crc32: X MB/s", megabytes of output per second of the
// thread's processor time.
#include <stdio.h>
#include <stdlib.h>
#include <vector>
#include <windows.h>
#include <zlib.h>

#include "bench/InflateEntries.h"
#include "framework/MemFile.h"
#include "zip/ZipReader.h"

namespace {

bool LoadFile(const char* pszPath, std::vector<uint8_t>& data)
{
  FILE* pFile = fopen(pszPath, "rb");
  if (pFile == NULL)
    return false;
  uint8_t chunk[1 << 16];
  size_t n;
  while ((n = fread(chunk, 1, sizeof(chunk), pFile)) > 0)
    data.insert(data.end(), chunk, chunk + n);
  bool bRead = ferror(pFile) == 0;
  fclose(pFile);
  return bRead;
}

// The thread's processor time in seconds: other processes on a busy
// machine then slow the figures less than wall-clock time would.
double CpuSeconds()
{
  FILETIME creation, exit, kernel, user;
  GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
  ULARGE_INTEGER k, u;
  k.LowPart = kernel.dwLowDateTime;
  k.HighPart = kernel.dwHighDateTime;
  u.LowPart = user.dwLowDateTime;
  u.HighPart = user.dwHighDateTime;
  return (double)(k.QuadPart + u.QuadPart) / 1e7;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 2 || argc > 3) {
    fprintf(stderr, "usage: inflate_bench ARCHIVE [ROUNDS]\n");
    return 2;
  }
  const int nRounds = argc == 3 ? atoi(argv[2]) : 3;
  std::vector<uint8_t> archive;
  if (!LoadFile(argv[1], archive) || archive.empty()) {
    fprintf(stderr, "inflate_bench: cannot read %s\n", argv[1]);
    return 1;
  }
  // zlib says itself whether it was built without the gzip wrapper.
  printf("zlib: %s%s\n", zlibVersion(), (zlibCompileFlags() & (1UL << 17)) ? " inflate subset (NO_GZIP)" : " whole");
  try {
    CMemFile file(archive.data(), (UINT)archive.size(), 0);
    CZipReader reader;
    reader.Open(&file);
    double best = 0;
    for (int i = 1; i <= nRounds; ++i) {
      double start = CpuSeconds();
      int nBadCrc = 0;
      uint64_t nBytes = InflateEntries(reader, archive.data(), archive.size(), &nBadCrc);
      double seconds = CpuSeconds() - start;
      if (nBadCrc != 0) {
        fprintf(stderr, "inflate_bench: %d entries' CRC differs\n", nBadCrc);
        return 1;
      }
      double speed = (double)nBytes / 1e6 / seconds;
      printf("round %d: %.1f MB/s (%llu bytes, %.3f s of processor time)\n", i, speed, (unsigned long long)nBytes,
             seconds);
      if (speed > best)
        best = speed;
    }
    printf("inflate+crc32: %.1f MB/s\n", best);
  } catch (CException* e) {
    fprintf(stderr, "inflate_bench: the archive cannot be read\n");
    e->Delete();
    return 1;
  }
  return 0;
}
