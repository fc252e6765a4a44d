// CZipDirectory: the end-of-central-directory record and the entry headers.
#pragma once
#include "framework/afx.h"
#include "zip/ZipBuffer.h"
#include "zip/ZipEntryHeader.h"

class CZipSource;

class CZipDirectory
{
public:
  explicit CZipDirectory(CZipSource* pSource);
  virtual ~CZipDirectory();
  CZipDirectory(const CZipDirectory&) = delete;
  CZipDirectory& operator=(const CZipDirectory&) = delete;

  void Clear();
  void Read();
  bool IsValidIndex(uint16_t nIndex) const { return nIndex < m_headers.GetSize(); }
  int GetCount() const { return m_headers.GetSize(); }
  CZipEntryHeader* GetHeader(uint16_t nIndex) const { return static_cast<CZipEntryHeader*>(m_headers[nIndex]); }
  void OpenEntry(uint16_t nIndex);
  // bReadDescriptor false (after an exception, when the position inside the
  // entry is unknown) leaves the data descriptor unread.
  void CloseEntry(bool bReadDescriptor = true);

  uint32_t m_nSignature;
  uint16_t m_nThisVolume;
  uint16_t m_nDirVolume;
  uint16_t m_nEntriesHere;
  uint16_t m_nEntries;
  uint32_t m_nDirSize;
  uint32_t m_nDirOffset;
  CZipBuffer m_comment;
  CZipEntryHeader* m_pOpenEntry;
  CZipSource* m_pSource;
  uint32_t m_nEndPos;
  uint32_t m_nBias;
  int32_t m_nSearchChunk;
  CPtrArray m_headers;
  CZipBuffer m_localExtra;
  // Names decoded to UTF-8 with backslashes as the directory is read (the
  // default), or left as stored.
  bool m_bConvertOnRead;

private:
  uint32_t FindEndRecord();
  void ReadHeaders();
  void DeleteHeaders();
  [[noreturn]] void Raise(int nCode) const;
};
