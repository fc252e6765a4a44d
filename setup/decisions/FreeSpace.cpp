#include "setup/decisions/FreeSpace.h"

int32_t SpaceShortfallKB(uint32_t nSectorsPerCluster, uint32_t nBytesPerSector, uint32_t nFreeClusters,
                         int32_t nTotalSize)
{
  const int64_t nRequired = static_cast<int64_t>(nTotalSize) + kSpaceReserve;
  if (nTotalSize < 0 || nRequired > INT32_MAX)
    return -1;

  // The product of three 32-bit figures can pass 64 bits; anything that
  // large is plenty.
  const uint64_t nClusterBytes = static_cast<uint64_t>(nSectorsPerCluster) * nBytesPerSector;
  if (nFreeClusters != 0 && nClusterBytes > UINT64_MAX / nFreeClusters)
    return -1;
  const uint64_t nFree = nClusterBytes * nFreeClusters;

  if (nFree >= static_cast<uint64_t>(nRequired))
    return -1;
  return static_cast<int32_t>((static_cast<uint64_t>(nRequired) - nFree) / 1024);
}
