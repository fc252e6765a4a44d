// The archive reader on arbitrary bytes, opened from memory as setup opens
// it, every entry extracted into a fresh scratch directory. Failures must
// arrive as the reader's or the framework's exceptions; nothing may crash,
// hang, leak or land outside the scratch directory.
#include "zip/ZipReader.h"

#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

namespace {
// Deflate expands at most about 1000 times, but many entries may share one
// stream: stop once the entries' recorded sizes add up to this much.
const uint64_t kMaxOutput = 64u << 20;

int RemoveOne(const char* path, const struct stat*, int, struct FTW*)
{
  chmod(path, 0700);  // read-only entries are made read-only
  return remove(path);
}

void RemoveTree(const char* path) { nftw(path, RemoveOne, 16, FTW_DEPTH | FTW_PHYS); }

void ExtractAll(CZipReader& reader, const char* lpszDir)
{
  uint64_t nOutput = 0;
  for (int i = 0; i < reader.GetCount(); ++i) {
    CZipEntryHeader header;
    if (!reader.GetEntryInfo(header, (uint16_t)i))
      abort();  // every counted header is there
    nOutput += header.m_nSize;
    if (nOutput > kMaxOutput)
      break;
    try {
      reader.ExtractFile((uint16_t)i, lpszDir, true, NULL, NULL, NULL, 65535);
    } catch (CException* e) {
      e->Delete();
      reader.CloseEntry(NULL, true);  // so that later entries are tried
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  char szDir[] = "/tmp/fuzz_zip.XXXXXX";
  if (!mkdtemp(szDir))
    abort();
  {
    CMemFile file(const_cast<BYTE*>(data), (UINT)size, 0);
    CZipReader reader;
    try {
      reader.Open(&file);
      ExtractAll(reader, szDir);
    } catch (CException* e) {
      e->Delete();
    }
  }
  RemoveTree(szDir);
  return 0;
}
