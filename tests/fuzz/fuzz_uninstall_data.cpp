// UninstallData::Read on arbitrary bytes: it must answer 0 or 1 without
// reading or allocating beyond what the file holds.
#include "common/UninstallData.h"

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
    // Every slot read must hold a terminated string.
    size_t nSum = strlen(record.m_szAppName);
    for (int32_t i = 0; i < record.m_nInstalled; i++)
      nSum += strlen(record.m_pInstalled[i]);
    for (int32_t i = 0; i < record.m_nLinks; i++)
      nSum += strlen(record.m_pLinks[i]);
    for (int32_t i = 0; i < record.m_nGenerated; i++)
      nSum += strlen(record.m_pGenerated[i]);
    if (nSum > size)
      abort();
  }
  return 0;
}
