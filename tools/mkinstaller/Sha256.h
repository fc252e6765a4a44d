// SHA-256 (FIPS 180-4), for the installer's hash in a package manifest.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string>

class CSha256
{
public:
  CSha256();
  void Update(const void* pData, size_t nSize);
  // The digest as 64 upper-case hex digits, as package manifests give it.
  // Ends the hash: Update may not follow.
  std::string FinishHex();

private:
  void Compress(const unsigned char* pBlock);

  uint32_t m_state[8];
  unsigned char m_block[64];
  size_t m_nBlockUsed = 0;
  uint64_t m_nTotal = 0;
};
