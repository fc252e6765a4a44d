#include "bench/InflateEntries.h"

#include <vector>
#include <zlib.h>

#include "zip/ZipReader.h"
#include "zip/ZipRecords.h"

uint64_t InflateEntries(CZipReader& reader, const uint8_t* pArchive, size_t nArchiveSize, int* pBadCrc)
{
  std::vector<uint8_t> out(65536);
  uint64_t nBytes = 0;
  *pBadCrc = 0;
  for (int i = 0; i < reader.GetCount(); ++i) {
    CZipEntryHeader header;
    reader.GetEntryInfo(header, (uint16_t)i);
    size_t nLocal = (size_t)header.m_nLocalOffset + reader.m_directory.m_nBias;
    if (nLocal + LOC_RECORD_SIZE > nArchiveSize)
      continue;
    CZipRecordView local(pArchive + nLocal, LOC_RECORD_SIZE);
    size_t nData = nLocal + LOC_RECORD_SIZE + local.Get16(LOC_NAME_LENGTH) + local.Get16(LOC_EXTRA_LENGTH);
    if (nData + header.m_nPackedSize > nArchiveSize)
      continue;
    const uint8_t* pData = pArchive + nData;
    uLong crc = crc32(0, NULL, 0);
    if (header.m_nMethod == ZIP_METHOD_STORED) {
      crc = crc32(crc, pData, header.m_nPackedSize);
    } else {
      z_stream zs = {};
      inflateInit2(&zs, -MAX_WBITS);
      zs.next_in = const_cast<Bytef*>(pData);
      zs.avail_in = header.m_nPackedSize;
      int r;
      do {
        zs.next_out = out.data();
        zs.avail_out = (uInt)out.size();
        r = inflate(&zs, Z_SYNC_FLUSH);
        crc = crc32(crc, out.data(), (uInt)(out.size() - zs.avail_out));
      } while (r == Z_OK);
      inflateEnd(&zs);
    }
    if (crc != header.m_nChecksum)
      ++*pBadCrc;
    nBytes += header.m_nSize;
  }
  return nBytes;
}
