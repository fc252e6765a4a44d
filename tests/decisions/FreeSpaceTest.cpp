// The destination dialog's space check with given drive figures: what
// GetDiskFreeSpaceA would report, and the payload size of the script.
#include <gtest/gtest.h>

#include "setup/decisions/FreeSpace.h"

namespace {

const uint32_t kMiB = 1024 * 1024;

// A drive of 4 KB clusters (8 sectors of 512 bytes) with nFree bytes free.
int32_t ShortfallOn4KClusters(uint64_t nFree, int32_t nTotalSize)
{
  return SpaceShortfallKB(8, 512, static_cast<uint32_t>(nFree / 4096), nTotalSize);
}

TEST(FreeSpace, PayloadPlusThreeMegabytesMustFit)
{
  // 10 MiB payload + 3 MiB reserve = 13 MiB exactly: enough.
  EXPECT_EQ(-1, ShortfallOn4KClusters(13 * kMiB, 10 * kMiB));
  // One cluster less: short by 4 KB.
  EXPECT_EQ(4, ShortfallOn4KClusters(13 * kMiB - 4096, 10 * kMiB));
  // An empty payload still wants the reserve.
  EXPECT_EQ(-1, ShortfallOn4KClusters(3 * kMiB, 0));
  EXPECT_EQ(3 * 1024, ShortfallOn4KClusters(0, 0));
  // A full drive, 100 MB payload: the whole requirement, in KB.
  EXPECT_EQ((100000000 + 0x300000) / 1024, ShortfallOn4KClusters(0, 100000000));
}

TEST(FreeSpace, ShortfallIsRoundedDownToWholeKilobytes)
{
  // Single-byte sectors and clusters give byte-exact free figures.
  const int32_t nTotal = 5 * kMiB;
  const uint32_t nRequired = nTotal + 0x300000;
  EXPECT_EQ(0, SpaceShortfallKB(1, 1, nRequired - 1, nTotal));
  EXPECT_EQ(0, SpaceShortfallKB(1, 1, nRequired - 1023, nTotal));
  EXPECT_EQ(1, SpaceShortfallKB(1, 1, nRequired - 1024, nTotal));
  EXPECT_EQ(1, SpaceShortfallKB(1, 1, nRequired - 2047, nTotal));
  EXPECT_EQ(-1, SpaceShortfallKB(1, 1, nRequired, nTotal));
}

TEST(FreeSpace, MoreThanFourGigabytesFreeAlwaysPasses)
{
  const int32_t nLargest = INT32_MAX - 0x300000;
  // 4 GiB + 4 KB free: the product passes 32 bits.
  EXPECT_EQ(-1, SpaceShortfallKB(8, 512, (1u << 20) + 1, nLargest));
  // The largest figures the system can report: the product passes 64 bits.
  EXPECT_EQ(-1, SpaceShortfallKB(UINT32_MAX, UINT32_MAX, UINT32_MAX, nLargest));
  // Just under 2 GiB free against the largest payload that is still checked.
  EXPECT_EQ(1, SpaceShortfallKB(1, 1, INT32_MAX - 1024, nLargest));
}

TEST(FreeSpace, RequirementBeyondInt32Passes)
{
  // Payloads whose requirement wraps a signed 32-bit value, on a full drive.
  EXPECT_EQ(-1, SpaceShortfallKB(8, 512, 0, INT32_MAX));
  EXPECT_EQ(-1, SpaceShortfallKB(8, 512, 0, INT32_MAX - 0x300000 + 1));
  // A total that has itself wrapped while the sizes were added up.
  EXPECT_EQ(-1, SpaceShortfallKB(8, 512, 0, -1));
  EXPECT_EQ(-1, SpaceShortfallKB(8, 512, 0, INT32_MIN));
  // The last requirement that fits is still checked.
  EXPECT_EQ(INT32_MAX / 1024, SpaceShortfallKB(8, 512, 0, INT32_MAX - 0x300000));
}

}  // namespace
