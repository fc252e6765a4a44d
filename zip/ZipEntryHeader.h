// CZipEntryHeader: what the central directory records about one entry, its
// name decoded to UTF-8 (ZipEntryName.h) once the directory is read.
#pragma once
#include "framework/afx.h"
#include "zip/ZipBuffer.h"

class CZipSource;

class CZipEntryHeader
{
public:
  CZipEntryHeader();
  CZipEntryHeader(const CZipEntryHeader& other) = default;
  CZipEntryHeader& operator=(const CZipEntryHeader& other) = default;
  virtual ~CZipEntryHeader() {}

  // Reads one central record at the source's position; false for a wrong
  // signature or a record whose variable fields crossed a volume.
  bool ReadCentral(CZipSource& source);
  // Reads and checks the local header; leaves the source at the local extra field.
  bool ReadLocal(CZipSource& source, uint16_t& nExtraLen);
  // The CRC, compressed and uncompressed size at p (little-endian) match ours.
  bool CheckDescriptor(const uint8_t* p) const;

  // The name as UTF-8 in place of the bytes as stored; false (the name
  // unchanged) when it is damaged.
  bool DecodeName();
  CString GetFileName() const;
  void ConvertSlashes(bool bToBackslash);
  CTime GetTime() const;
  bool IsEncrypted() const;
  bool HasDescriptor() const;
  // A folder: the DOS directory bit, or a name ending in a slash or
  // backslash, which no file can have. Unix tools (jar, bsdtar) mark folders
  // by the name alone.
  bool IsDirectory() const;
  // The DOS attribute bits that a file or folder can be given (read-only,
  // hidden, system, archive); an archive made on Unix keeps the file's mode
  // in the high 16 bits, which mean nothing to Windows.
  uint32_t GetDosAttributes() const;
  uint32_t GetRecordSize() const;

  uint32_t m_nSignature;
  uint16_t m_nMadeBy;
  uint16_t m_nNeeded;
  uint16_t m_nFlags;
  uint16_t m_nMethod;
  uint16_t m_nTime;
  uint16_t m_nDate;
  uint32_t m_nChecksum;
  uint32_t m_nPackedSize;
  uint32_t m_nSize;
  uint16_t m_nFirstVolume;
  uint16_t m_nInternal;
  uint32_t m_nAttributes;
  uint32_t m_nLocalOffset;
  CZipBuffer m_extra;
  CZipBuffer m_name;
  // The name field's length in the record, which the local header's must
  // match whatever length the decoded name has.
  uint16_t m_nStoredNameLength;
  CZipBuffer m_comment;
};
