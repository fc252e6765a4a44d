#include "tools/mkinstaller/PeImage.h"

namespace {
// The PE/COFF records, as offsets: the DOS header's pointer to the PE
// signature; the COFF header behind the signature; the optional header's
// magic and data directories (PE32 or PE32+); the section headers.
const size_t kDosPeOffset = 0x3C;
const size_t kCoffMachine = 4, kCoffSectionCount = 6, kCoffOptionalSize = 20, kCoffSize = 24;
const uint16_t kMagicPe32 = 0x10B, kMagicPe32Plus = 0x20B;
const size_t kPe32DirectoryCount = 92, kPe32PlusDirectoryCount = 108;
const uint32_t kResourceDirectory = 2;
const size_t kSectionHeaderSize = 40, kSectionAddress = 12, kSectionRawSize = 16, kSectionRawOffset = 20;
// The resource tree: a directory's counts of named and id entries, then its
// 8-byte entries (name or id, offset; the high bit marks a subdirectory);
// a leaf's data address (an RVA) and size.
const size_t kResNamedCount = 12, kResIdCount = 14, kResEntries = 16, kResEntrySize = 8;
const uint32_t kResSubdirectory = 0x80000000u;
const uint32_t kRtVersion = 16;
// VS_VERSIONINFO: length, value length, type, the key L"VS_VERSION_INFO"
// with its NUL, padding to 4 bytes, then VS_FIXEDFILEINFO.
const size_t kVersionFixedInfo = 40, kFixedInfoSize = 52;
const size_t kFixedSignature = 0, kFixedFileVersionMs = 8, kFixedFileVersionLs = 12;
const uint32_t kFixedInfoSignature = 0xFEEF04BD;
const char kVersionKey[] = "VS_VERSION_INFO";

class CPeReader
{
public:
  explicit CPeReader(std::string_view image) : m_image(image) {}

  bool Fits(size_t nAt, size_t nSize) const { return nAt <= m_image.size() && m_image.size() - nAt >= nSize; }
  bool U16(size_t nAt, uint16_t& n) const
  {
    if (!Fits(nAt, 2))
      return false;
    n = (uint16_t)((unsigned char)m_image[nAt] | (unsigned char)m_image[nAt + 1] << 8);
    return true;
  }
  bool U32(size_t nAt, uint32_t& n) const
  {
    uint16_t nLow, nHigh;
    if (!U16(nAt, nLow) || !U16(nAt + 2, nHigh))
      return false;
    n = nLow | (uint32_t)nHigh << 16;
    return true;
  }

  // The PE signature's offset.
  bool FindSignature(size_t& nPe) const
  {
    uint32_t nOffset;
    if (m_image.substr(0, 2) != "MZ" || !U32(kDosPeOffset, nOffset) || !Fits(nOffset, 4) ||
        m_image.substr(nOffset, 4) != std::string_view("PE\0\0", 4))
      return false;
    nPe = nOffset;
    return true;
  }

  // The file offset of nSize bytes at an RVA, when one section holds them.
  bool MapRva(size_t nPe, uint32_t nRva, uint32_t nSize, size_t& nOffset) const
  {
    uint16_t nSections, nOptionalSize;
    if (!U16(nPe + kCoffSectionCount, nSections) || !U16(nPe + kCoffOptionalSize, nOptionalSize))
      return false;
    size_t nTable = nPe + kCoffSize + nOptionalSize;
    for (uint16_t i = 0; i < nSections; ++i) {
      size_t nHeader = nTable + (size_t)i * kSectionHeaderSize;
      uint32_t nAddress, nRawSize, nRawOffset;
      if (!U32(nHeader + kSectionAddress, nAddress) || !U32(nHeader + kSectionRawSize, nRawSize) ||
          !U32(nHeader + kSectionRawOffset, nRawOffset))
        return false;
      if (nRva < nAddress || nRva - nAddress > nRawSize || nRawSize - (nRva - nAddress) < nSize)
        continue;
      nOffset = (size_t)nRawOffset + (nRva - nAddress);
      return Fits(nOffset, nSize);
    }
    return false;
  }

  // The resource directory's RVA from the optional header.
  bool ResourceRva(size_t nPe, uint32_t& nRva) const
  {
    size_t nOptional = nPe + kCoffSize;
    uint16_t nOptionalSize, nMagic;
    if (!U16(nPe + kCoffOptionalSize, nOptionalSize) || !U16(nOptional, nMagic))
      return false;
    size_t nCountAt = nMagic == kMagicPe32       ? kPe32DirectoryCount
                      : nMagic == kMagicPe32Plus ? kPe32PlusDirectoryCount
                                                 : 0;
    uint32_t nCount;
    if (nCountAt == 0 || !U32(nOptional + nCountAt, nCount) || nCount <= kResourceDirectory)
      return false;
    size_t nEntry = nCountAt + 4 + kResourceDirectory * 8;
    return nEntry + 8 <= nOptionalSize && U32(nOptional + nEntry, nRva) && nRva != 0;
  }

  // The offset field of a directory's entry with this id, or of its first
  // entry when nId is 0; false when there is none.
  bool DirectoryEntry(size_t nDirectory, uint32_t nId, uint32_t& nTarget) const
  {
    uint16_t nNamed, nIds;
    if (!U16(nDirectory + kResNamedCount, nNamed) || !U16(nDirectory + kResIdCount, nIds))
      return false;
    for (size_t i = 0; i < (size_t)nNamed + nIds; ++i) {
      size_t nEntry = nDirectory + kResEntries + i * kResEntrySize;
      uint32_t nName;
      if (!U32(nEntry, nName) || !U32(nEntry + 4, nTarget))
        return false;
      if (nId == 0 || nName == nId)
        return true;
    }
    return false;
  }

  std::string_view m_image;
};

bool HasVersionKey(std::string_view image, size_t nAt)
{
  for (size_t i = 0; i < sizeof(kVersionKey); ++i)
    if (image[nAt + 2 * i] != kVersionKey[i] || image[nAt + 2 * i + 1] != 0)
      return false;
  return true;
}
}  // namespace

bool ReadPeMachine(std::string_view image, uint16_t& nMachine)
{
  CPeReader pe(image);
  size_t nPe;
  return pe.FindSignature(nPe) && pe.U16(nPe + kCoffMachine, nMachine);
}

std::string ReadPeFileVersion(std::string_view image)
{
  CPeReader pe(image);
  size_t nPe, nRoot, nInfo;
  uint32_t nRootRva, nType, nName, nLanguage, nDataRva, nDataSize;
  if (!pe.FindSignature(nPe) || !pe.ResourceRva(nPe, nRootRva) || !pe.MapRva(nPe, nRootRva, kResEntries, nRoot))
    return std::string();
  // Type RT_VERSION, its first name, that name's first language: a leaf.
  // Offsets in the tree count from its root, in the same section.
  auto Sub = [&](uint32_t nTarget) { return nRoot + (nTarget & ~kResSubdirectory); };
  if (!pe.DirectoryEntry(nRoot, kRtVersion, nType) || !(nType & kResSubdirectory) ||
      !pe.DirectoryEntry(Sub(nType), 0, nName) || !(nName & kResSubdirectory) ||
      !pe.DirectoryEntry(Sub(nName), 0, nLanguage) || (nLanguage & kResSubdirectory) ||
      !pe.U32(Sub(nLanguage), nDataRva) || !pe.U32(Sub(nLanguage) + 4, nDataSize) ||
      nDataSize < kVersionFixedInfo + kFixedInfoSize || !pe.MapRva(nPe, nDataRva, nDataSize, nInfo))
    return std::string();
  uint16_t nValueSize;
  uint32_t nSignature, nMs, nLs;
  if (!pe.U16(nInfo + 2, nValueSize) || nValueSize < kFixedInfoSize || !HasVersionKey(image, nInfo + 6) ||
      !pe.U32(nInfo + kVersionFixedInfo + kFixedSignature, nSignature) || nSignature != kFixedInfoSignature ||
      !pe.U32(nInfo + kVersionFixedInfo + kFixedFileVersionMs, nMs) ||
      !pe.U32(nInfo + kVersionFixedInfo + kFixedFileVersionLs, nLs))
    return std::string();
  std::string strVersion =
      std::to_string(nMs >> 16) + "." + std::to_string(nMs & 0xFFFF) + "." + std::to_string(nLs >> 16);
  if ((nLs & 0xFFFF) != 0)
    strVersion += "." + std::to_string(nLs & 0xFFFF);
  return strVersion;
}
