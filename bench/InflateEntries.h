// zlib alone over an archive's entries: each deflated entry's data inflated
// into one reused 64 KB buffer with its CRC-32, as extraction computes them,
// stored entries only checksummed. Shared by zip_bench (host) and
// inflate_bench (the shipped programs' build).
#pragma once
#include <stddef.h>
#include <stdint.h>

class CZipReader;

// The bytes of output (the entries' sizes); *pBadCrc counts the entries
// whose CRC-32 differs from the recorded one.
uint64_t InflateEntries(CZipReader& reader, const uint8_t* pArchive, size_t nArchiveSize, int* pBadCrc);
