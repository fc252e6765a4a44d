// The ZIP records that the reader understands: their signatures, the offset
// of every field, and bounded little-endian readers over a record's bytes.
#pragma once
#include <stdint.h>

// End of central directory record (22 bytes, then the archive comment).
enum
{
  END_SIGNATURE = 0,
  END_THIS_DISK = 4,
  END_DIR_DISK = 6,
  END_ENTRIES_HERE = 8,
  END_ENTRIES = 10,
  END_DIR_SIZE = 12,
  END_DIR_OFFSET = 16,
  END_COMMENT_LENGTH = 20,
  END_RECORD_SIZE = 22
};

// Central directory record (46 bytes, then name, extra field, comment).
enum
{
  CEN_SIGNATURE = 0,
  CEN_MADE_BY = 4,
  CEN_NEEDED = 6,
  CEN_FLAGS = 8,
  CEN_METHOD = 10,
  CEN_TIME = 12,
  CEN_DATE = 14,
  CEN_CRC = 16,
  CEN_PACKED_SIZE = 20,
  CEN_SIZE = 24,
  CEN_NAME_LENGTH = 28,
  CEN_EXTRA_LENGTH = 30,
  CEN_COMMENT_LENGTH = 32,
  CEN_FIRST_DISK = 34,
  CEN_INTERNAL = 36,
  CEN_EXTERNAL = 38,
  CEN_LOCAL_OFFSET = 42,
  CEN_RECORD_SIZE = 46
};

// Local header (30 bytes, then name and local extra field).
enum
{
  LOC_SIGNATURE = 0,
  LOC_NEEDED = 4,
  LOC_FLAGS = 6,
  LOC_METHOD = 8,
  LOC_TIME = 10,
  LOC_DATE = 12,
  LOC_CRC = 14,  // CRC, compressed and uncompressed size: a descriptor's layout
  LOC_PACKED_SIZE = 18,
  LOC_SIZE = 22,
  LOC_NAME_LENGTH = 26,
  LOC_EXTRA_LENGTH = 28,
  LOC_RECORD_SIZE = 30
};

// Data descriptor: optional signature, then CRC, compressed and uncompressed size.
enum
{
  DES_CRC = 0,
  DES_PACKED_SIZE = 4,
  DES_SIZE = 8,
  DES_RECORD_SIZE = 12,
  DES_SIGNATURE_SIZE = 4
};

// An extra field's blocks: header ID and data size, then the data.
enum
{
  EXT_ID = 0,
  EXT_DATA_SIZE = 2,
  EXT_HEADER_SIZE = 4
};

// Info-ZIP's Unicode Path block (header ID 0x7075): a version (1), the
// CRC-32 of the name field as stored, then the UTF-8 name to the block's end.
enum
{
  UPATH_VERSION = 0,
  UPATH_NAME_CRC = 1,
  UPATH_NAME = 5
};

const uint32_t ZIP_END_SIGNATURE = 0x06054B50;
const uint32_t ZIP_CENTRAL_SIGNATURE = 0x02014B50;
const uint32_t ZIP_LOCAL_SIGNATURE = 0x04034B50;
const uint32_t ZIP_DESCRIPTOR_SIGNATURE = 0x08074B50;

const uint16_t ZIP_FLAG_ENCRYPTED = 0x0001;
const uint16_t ZIP_FLAG_DESCRIPTOR = 0x0008;
const uint16_t ZIP_FLAG_UTF8 = 0x0800;  // the name is UTF-8
const uint16_t ZIP_EXTRA_UNICODE_PATH = 0x7075;
const uint8_t ZIP_UNICODE_PATH_VERSION = 1;
const uint16_t ZIP_METHOD_STORED = 0;
const uint16_t ZIP_METHOD_DEFLATED = 8;
const uint32_t ZIP_ATTRIBUTE_DIRECTORY = 0x10;
// Read-only, hidden, system and archive: the DOS bits a file can be given.
const uint32_t ZIP_ATTRIBUTES_SETTABLE = 0x27;
const uint32_t ZIP_ATTRIBUTE_NORMAL = 0x80;

// A record's bytes as read. A field that would reach past the record reads
// as 0; the records are read whole, so that only guards against a wrong offset.
class CZipRecordView
{
public:
  CZipRecordView(const uint8_t* p, uint32_t nSize) : m_p(p), m_nSize(nSize) {}

  uint8_t Get8(uint32_t nOffset) const { return nOffset < m_nSize ? m_p[nOffset] : 0; }
  uint16_t Get16(uint32_t nOffset) const
  {
    if (nOffset > m_nSize || m_nSize - nOffset < 2)
      return 0;
    return (uint16_t)(m_p[nOffset] | (m_p[nOffset + 1] << 8));
  }
  uint32_t Get32(uint32_t nOffset) const
  {
    if (nOffset > m_nSize || m_nSize - nOffset < 4)
      return 0;
    return (uint32_t)m_p[nOffset] | ((uint32_t)m_p[nOffset + 1] << 8) | ((uint32_t)m_p[nOffset + 2] << 16) |
           ((uint32_t)m_p[nOffset + 3] << 24);
  }

private:
  const uint8_t* m_p;
  uint32_t m_nSize;
};
