#include "zip/ZipReader.h"

#include <stdlib.h>

#include "zip/ZipRecords.h"

CZipReader::CZipReader()
    : m_bTrackBlocks(true), m_blocks(10), m_nEntryMode(ZIP_ENTRY_CLOSED), m_directory(&m_source),
      m_nExtractClose(ZIP_CLOSE_NOTHING_OPEN)
{
  m_stream.m_zs.zalloc = AllocBlock;
  m_stream.m_zs.zfree = FreeBlock;
  m_stream.m_zs.opaque = NULL;
}

CZipReader::~CZipReader() { FreeTrackedBlocks(); }

void CZipReader::Open(CFile* pFile, int nMode)
{
  if (!IsClosed())
    return;
  m_nEntryMode = ZIP_ENTRY_CLOSED;
  m_source.Open(pFile, nMode == ZIP_OPEN_ONE_FILE);
  m_directory.Clear();
  m_directory.Read();
}

bool CZipReader::IsClosed() const { return m_source.GetVolume() == -1; }

int32_t CZipReader::GetCount() const { return m_directory.GetCount(); }

bool CZipReader::GetEntryInfo(CZipEntryHeader& info, uint16_t nIndex) const
{
  if (IsClosed() || !m_directory.IsValidIndex(nIndex))
    return false;
  info = *m_directory.GetHeader(nIndex);
  return true;
}

bool CZipReader::IsDirectoryEntry(uint16_t nIndex) const
{
  if (IsClosed() || !m_directory.IsValidIndex(nIndex))
    return false;
  return m_directory.GetHeader(nIndex)->IsDirectory();
}

// zlib's allocator: every block is recorded, so that the blocks of an entry
// abandoned by an exception can still be freed.
void* CZipReader::AllocBlock(void* opaque, unsigned items, unsigned size)
{
  if (size != 0 && items > 0xFFFFFFFFu / size)
    return NULL;
  void* pBlock = malloc((size_t)items * size);
  if (pBlock && opaque) {
    try {
      static_cast<CPtrList*>(opaque)->AddTail(pBlock);
    } catch (...) {  // no exception may cross zlib's C frames
      free(pBlock);
      return NULL;
    }
  }
  return pBlock;
}

void CZipReader::FreeBlock(void* opaque, void* block)
{
  if (opaque) {
    CPtrList* pBlocks = static_cast<CPtrList*>(opaque);
    if (POSITION pos = pBlocks->Find(block))
      pBlocks->RemoveAt(pos);
  }
  free(block);
}

void CZipReader::FreeTrackedBlocks()
{
  POSITION pos = m_blocks.GetHeadPosition();
  while (pos)
    free(m_blocks.GetNext(pos));
  m_blocks.RemoveAll();
}

void CZipReader::Raise(int nCode) const
{
  RaiseZipError(nCode, IsClosed() ? CString() : m_source.m_pFile->GetFilePath());
}

void CZipReader::CheckZlib(int nResult) const
{
  if (nResult != Z_OK && nResult != Z_NEED_DICT)
    Raise(nResult);
}
