// The destination dialog's space check as plain arithmetic, apart from the
// system call, so that it can be tried with any figures.
#pragma once
#include <stdint.h>

// Room setup wants on the drive beyond the payload itself.
const int32_t kSpaceReserve = 0x300000;

// The drive's free space is what GetDiskFreeSpaceA reports: sectors per
// cluster, bytes per sector and free clusters. Returns -1 when it holds the
// payload (nTotalSize bytes) plus the reserve, else the shortfall in KB,
// rounded down. A requirement that does not fit a signed 32-bit value
// (a payload near 2 GiB, or a total that has already wrapped) passes.
int32_t SpaceShortfallKB(uint32_t nSectorsPerCluster, uint32_t nBytesPerSector, uint32_t nFreeClusters,
                         int32_t nTotalSize);
