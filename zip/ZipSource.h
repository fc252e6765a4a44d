// CZipSource: the file an archive is read from, and the switch between the
// numbered volume files of an archive spread over several files.
#pragma once
#include "framework/afx.h"

// The source's own file object. The reader never opens it.
class CZipBigFile : public CFile
{
  DECLARE_DYNAMIC(CZipBigFile)
public:
  void SetFilePath(const char* lpszNewName) override;
};

class CZipSource
{
public:
  enum
  {
    spanNone = 0,
    spanRemovable = 1,
    spanNumbered = 2,
    spanUnknown = 3
  };

  CZipSource();
  virtual ~CZipSource() {}

  // bOneFile: the archive is this file alone (setup's own installer), so a
  // record that names another volume is damage, never a file to open.
  void Open(CFile* pFile, bool bOneFile = false);
  // Reads nSize bytes. bWhole: all of them from one volume or corruptArchive;
  // otherwise a spanned archive may continue on the next volume. A read
  // that the file itself fails is archiveReadError.
  uint32_t Read(void* pBuf, uint32_t nSize, bool bWhole);
  void DetectSpanning(uint16_t nVolume);
  // Closes the current volume file and opens the other one; in a one-file
  // archive corruptArchive instead, with the file left open.
  void ChangeVolume(int32_t nVolume);
  // Positions within the current volume; a position past its end is a
  // damaged archive (corruptArchive), never a seek error.
  void SeekTo(uint64_t nPosition);
  void Skip(int32_t nBytes);
  int32_t GetVolume() const { return m_nVolume; }
  bool IsSpanned() const { return m_nSpanMode != spanNone; }
  [[noreturn]] void Raise(int nCode) const;

  CZipBigFile m_internalFile;
  bool m_bOneFile;
  CFile* m_pFile;
  int32_t m_nSpanMode;
  int32_t m_nLastVolume;
  int32_t m_nVolume;

private:
  // The file's own read, its failure raised as the archive's.
  uint32_t ReadFile(void* pBuf, uint32_t nSize);
  [[noreturn]] void ReadFailed(CException* e) const;
};
