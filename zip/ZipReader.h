// CZipReader: opens a ZIP archive on a CFile (in setup, its own installer
// file, whose head the bias skips), lists its entries and extracts them.
#pragma once
#include "framework/afx.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipEntryStream.h"
#include "zip/ZipException.h"
#include "zip/ZipSource.h"

// Progress callback: bytes written so far of the entry, its size, user value.
// Returning false stops the copy.
typedef bool (*ZipProgressCallback)(uint32_t nDone, uint32_t nTotal, void* pUserData);

// The copy buffer ExtractFile uses unless told otherwise.
const uint32_t kZipCopyBufferSize = 65535;

// CloseEntry's results.
enum
{
  ZIP_CLOSE_DONE = 1,
  ZIP_CLOSE_NOTHING_OPEN = 0,  // also: the file's times could not be set (the entry stays open)
  ZIP_CLOSE_NOT_READ_TO_END = -1,
  ZIP_CLOSE_ATTRIBUTES_FAILED = -2,
};

// Open's modes. A one-file archive (setup's own installer) never switches
// to a volume file: an entry that names another volume is damage.
enum
{
  ZIP_OPEN_EXISTING = 0,
  ZIP_OPEN_ONE_FILE = 1,
};

// m_nEntryMode: whether an entry is open for reading.
enum
{
  ZIP_ENTRY_CLOSED = 0,
  ZIP_ENTRY_OPEN = 255,
};

class CZipReader
{
public:
  CZipReader();
  virtual ~CZipReader();
  CZipReader(const CZipReader&) = delete;
  CZipReader& operator=(const CZipReader&) = delete;

  void Open(CFile* pFile, int nMode = ZIP_OPEN_EXISTING);
  bool IsClosed() const;
  int32_t GetCount() const;
  bool GetEntryInfo(CZipEntryHeader& info, uint16_t nIndex) const;
  bool IsDirectoryEntry(uint16_t nIndex) const;

  // false when the entry could not be written whole and right: then
  // m_nExtractClose says why, CloseEntry's result (ZIP_CLOSE_NOTHING_OPEN
  // when no entry was opened, such as an encrypted one).
  bool ExtractFile(uint16_t nIndex, const char* lpszDir, bool bFullPath = true, const char* lpszNewName = NULL,
                   ZipProgressCallback pfnProgress = NULL, void* pUserData = NULL,
                   uint32_t nBufSize = kZipCopyBufferSize);
  bool OpenEntry(uint16_t nIndex);
  uint32_t ReadEntry(void* pBuf, uint32_t nSize);
  int32_t CloseEntry(const char* lpszFilePath = NULL, bool bAfterException = false);
  int32_t CloseEntry(CFile& file);

  void FreeTrackedBlocks();

  bool m_bTrackBlocks;
  CZipEntryStream m_stream;
  CZipSource m_source;
  CPtrList m_blocks;
  uint8_t m_nEntryMode;
  CZipDirectory m_directory;
  int32_t m_nExtractClose;

private:
  [[noreturn]] void Raise(int nCode) const;
  // Z_OK and Z_NEED_DICT pass; any other zlib result is raised as its code.
  void CheckZlib(int nResult) const;
  // Reads past the compressed bytes of the open entry not read yet.
  void SkipUnreadData();
  static void* AllocBlock(void* opaque, unsigned items, unsigned size);
  static void FreeBlock(void* opaque, void* block);
};
