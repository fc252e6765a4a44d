#include "zip/ZipEntryName.h"

#include <string.h>
#include <zlib.h>

#include "framework/os/Unicode.h"
#include "zip/ZipRecords.h"

namespace {
// The UTF-8 name of the first Unicode Path block of version 1 whose CRC-32
// matches the stored name. Each block's size is checked against what remains
// of the field; the walk ends at one that would reach past it.
bool FindUnicodePath(const CZipBuffer& extra, const CZipBuffer& storedName, const uint8_t*& pPath,
                     uint32_t& nPathLength)
{
  const uint32_t nNameCrc = (uint32_t)crc32(crc32(0, NULL, 0), storedName.GetBuffer(), storedName.GetSize());
  const uint8_t* p = extra.GetBuffer();
  uint32_t nRemaining = extra.GetSize();
  while (nRemaining >= EXT_HEADER_SIZE) {
    CZipRecordView header(p, EXT_HEADER_SIZE);
    const uint32_t nDataSize = header.Get16(EXT_DATA_SIZE);
    if (nDataSize > nRemaining - EXT_HEADER_SIZE)
      return false;
    const uint8_t* pData = p + EXT_HEADER_SIZE;
    CZipRecordView data(pData, nDataSize);
    if (header.Get16(EXT_ID) == ZIP_EXTRA_UNICODE_PATH && nDataSize >= UPATH_NAME &&
        data.Get8(UPATH_VERSION) == ZIP_UNICODE_PATH_VERSION && data.Get32(UPATH_NAME_CRC) == nNameCrc) {
      pPath = pData + UPATH_NAME;
      nPathLength = nDataSize - UPATH_NAME;
      return true;
    }
    p = pData + nDataSize;
    nRemaining -= EXT_HEADER_SIZE + nDataSize;
  }
  return false;
}

bool IsAscii(const uint8_t* p, uint32_t nLength)
{
  for (uint32_t i = 0; i < nLength; ++i)
    if (p[i] >= 0x80)
      return false;
  return true;
}
}  // namespace

bool DecodeEntryName(uint16_t nFlags, const CZipBuffer& storedName, const CZipBuffer& centralExtra, CString& strName)
{
  const uint8_t* p = storedName.GetBuffer();
  uint32_t nLength = storedName.GetSize();
  const bool bUtf8 = (nFlags & ZIP_FLAG_UTF8) != 0 || FindUnicodePath(centralExtra, storedName, p, nLength);
  if (nLength == 0) {
    strName.Empty();
    return true;
  }
  const char* pch = reinterpret_cast<const char*>(p);
  if (memchr(p, 0, nLength) != NULL || (bUtf8 && !IsValidUtf8(pch, nLength)))
    return false;
  // ASCII reads the same in every one of them.
  if (bUtf8 || IsAscii(p, nLength))
    strName = CString(pch, (int)nLength);
  else
    strName = Utf8FromCodePage(kOemCodePage, pch, (int)nLength);
  return true;
}
