// UninstallData::Read on arbitrary bytes: it must answer 0 or 1 without
// reading or allocating beyond what the file holds.
#include "common/UninstallData.h"
#include "framework/os/Unicode.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static char szPath[64];

static void RemoveScratchFile() { unlink(szPath); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (!szPath[0]) {
    snprintf(szPath, sizeof(szPath), "/tmp/fuzz_uninstall_data.%d", (int)getpid());
    atexit(RemoveScratchFile);
  }
  FILE* pFile = fopen(szPath, "wb");
  if (!pFile)
    abort();
  if (size && fwrite(data, 1, size, pFile) != size)
    abort();
  fclose(pFile);

  UninstallData record;
  int nResult = record.Read(szPath);
  if (nResult != 0 && nResult != 1)
    abort();
  if (nResult == 0) {
    // Every string read is whole UTF-8, and together they are no more than
    // the file holds (three UTF-8 bytes at most for each byte of the ANSI
    // form).
    size_t nSum = 0;
    auto Check = [&nSum](const CString& str) {
      if (strlen(str) != (size_t)str.GetLength() || !IsValidUtf8(str, (size_t)str.GetLength()))
        abort();
      nSum += (size_t)str.GetLength();
    };
    Check(record.m_strAppName);
    for (int32_t i = 0; i < record.m_nInstalled; i++)
      Check(record.m_pInstalled[i]);
    for (int32_t i = 0; i < record.m_nLinks; i++)
      Check(record.m_pLinks[i]);
    for (int32_t i = 0; i < record.m_nGenerated; i++)
      Check(record.m_pGenerated[i]);
    if (nSum > 3 * size)
      abort();
  }
  return 0;
}
