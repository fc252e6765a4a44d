#include "zip/ZipDirectory.h"

#include "zip/ZipException.h"
#include "zip/ZipRecords.h"
#include "zip/ZipSource.h"

namespace {
// The end record plus the longest comment it can carry.
const uint32_t kEndRecordReach = END_RECORD_SIZE + 0xFFFF;

bool HasEndSignature(const uint8_t* p) { return CZipRecordView(p, 4).Get32(0) == ZIP_END_SIGNATURE; }

bool HasDescriptorSignature(const uint8_t* p)
{
  return CZipRecordView(p, DES_SIGNATURE_SIZE).Get32(0) == ZIP_DESCRIPTOR_SIGNATURE;
}
}  // namespace

CZipDirectory::CZipDirectory(CZipSource* pSource)
    : m_nSignature(0), m_nThisVolume(0), m_nDirVolume(0), m_nEntriesHere(0), m_nEntries(0), m_nDirSize(0),
      m_nDirOffset(0), m_pOpenEntry(NULL), m_pSource(pSource), m_nEndPos(0), m_nBias(0), m_nSearchChunk(32768),
      m_bConvertOnRead(true)
{}

CZipDirectory::~CZipDirectory() { DeleteHeaders(); }

void CZipDirectory::Clear()
{
  m_pOpenEntry = NULL;
  m_nEndPos = 0;
  m_nBias = 0;
  m_comment.Release();
}

void CZipDirectory::DeleteHeaders()
{
  for (int i = 0; i < m_headers.GetSize(); ++i)
    delete static_cast<CZipEntryHeader*>(m_headers[i]);
  m_headers.RemoveAll();
}

// Scans the file's tail backwards in chunks that overlap by three bytes, so
// that a signature cut by a chunk border is still seen; the last one wins.
uint32_t CZipDirectory::FindEndRecord()
{
  CFile* pFile = m_pSource->m_pFile;
  uint32_t nLength = pFile->GetLength();
  uint32_t nReach = nLength < kEndRecordReach ? nLength : kEndRecordReach;
  uint32_t nChunk = m_nSearchChunk > 4 ? (uint32_t)m_nSearchChunk : 4;
  CZipBuffer block;
  uint8_t* p = block.Allocate(nChunk);
  uint32_t nDone = 0;
  while (nDone < nReach) {
    uint32_t nUpto = nReach - nDone > nChunk ? nDone + nChunk : nReach;
    uint32_t nBlock = nUpto - nDone;
    pFile->Seek(-(LONG)nUpto, CFile::end);
    if (pFile->Read(p, nBlock) != nBlock)
      Raise(ZIP_CODE_CORRUPT);
    for (uint32_t i = nBlock >= 4 ? nBlock - 4 + 1 : 0; i-- > 0;)
      if (HasEndSignature(p + i))
        return nLength - nUpto + i;
    if (nUpto == nReach)
      break;
    nDone = nUpto - 3;
  }
  Raise(ZIP_CODE_NO_END_RECORD);
}

void CZipDirectory::Read()
{
  CFile* pFile = m_pSource->m_pFile;
  m_nEndPos = FindEndRecord();
  m_pSource->SeekTo(m_nEndPos);
  uint8_t record[END_RECORD_SIZE];
  if (pFile->Read(record, sizeof(record)) != sizeof(record))
    Raise(ZIP_CODE_CORRUPT);
  CZipRecordView r(record, sizeof(record));
  m_nSignature = r.Get32(END_SIGNATURE);
  m_nThisVolume = r.Get16(END_THIS_DISK);
  m_nDirVolume = r.Get16(END_DIR_DISK);
  m_nEntriesHere = r.Get16(END_ENTRIES_HERE);
  m_nEntries = r.Get16(END_ENTRIES);
  m_nDirSize = r.Get32(END_DIR_SIZE);
  m_nDirOffset = r.Get32(END_DIR_OFFSET);
  uint16_t nCommentLength = r.Get16(END_COMMENT_LENGTH);

  m_pSource->DetectSpanning(m_nThisVolume);
  bool bSpanned = m_pSource->IsSpanned();
  // 64-bit sum: offset and size of a damaged record may wrap around.
  if (!bSpanned && (uint64_t)m_nDirOffset + m_nDirSize > m_nEndPos)
    Raise(ZIP_CODE_CORRUPT);
  if (nCommentLength) {
    m_comment.Allocate(nCommentLength);
    if (pFile->Read(m_comment.GetBuffer(), nCommentLength) != nCommentLength)
      Raise(ZIP_CODE_CORRUPT);
  }
  m_nBias = bSpanned ? 0 : m_nEndPos - m_nDirSize - m_nDirOffset;
  if ((m_nDirSize == 0) != (m_nEntries == 0))
    Raise(ZIP_CODE_CORRUPT);
  m_pSource->ChangeVolume(m_nDirVolume);
  if (m_nDirSize)
    ReadHeaders();
}

void CZipDirectory::ReadHeaders()
{
  m_pSource->SeekTo((uint64_t)m_nBias + m_nDirOffset);
  DeleteHeaders();
  for (uint32_t i = 0; i < m_nEntries; ++i) {
    CZipEntryHeader* pHeader = new CZipEntryHeader;
    m_headers.Add(pHeader);
    if (!pHeader->ReadCentral(*m_pSource))
      Raise(ZIP_CODE_CORRUPT);
    if (m_bConvertOnRead) {
      // A name that cannot be read is a damaged archive, never a mangled name.
      if (!pHeader->DecodeName())
        Raise(ZIP_CODE_CORRUPT);
      pHeader->ConvertSlashes(true);
    }
  }
}

void CZipDirectory::OpenEntry(uint16_t nIndex)
{
  m_pOpenEntry = GetHeader(nIndex);
  m_pSource->ChangeVolume(m_pOpenEntry->m_nFirstVolume);
  m_pSource->SeekTo((uint64_t)m_pOpenEntry->m_nLocalOffset + m_nBias);
  uint16_t nExtraLength = 0;
  if (!m_pOpenEntry->ReadLocal(*m_pSource, nExtraLength))
    Raise(ZIP_CODE_CORRUPT);
  m_localExtra.Release();
  if (nExtraLength) {
    int32_t nVolume = m_pSource->GetVolume();
    m_localExtra.Allocate(nExtraLength);
    m_pSource->Read(m_localExtra.GetBuffer(), nExtraLength, true);
    if (m_pSource->GetVolume() != nVolume)
      Raise(ZIP_CODE_CORRUPT);
  }
}

void CZipDirectory::CloseEntry(bool bReadDescriptor)
{
  if (!m_pOpenEntry)
    return;
  m_localExtra.Release();
  if (bReadDescriptor && m_pOpenEntry->HasDescriptor()) {
    uint8_t record[DES_RECORD_SIZE];
    m_pSource->Read(record, DES_SIGNATURE_SIZE, false);
    if (!HasDescriptorSignature(record))
      m_pSource->Skip(-DES_SIGNATURE_SIZE);
    m_pSource->Read(record, DES_RECORD_SIZE, false);
    if (!m_pOpenEntry->CheckDescriptor(record))
      Raise(ZIP_CODE_CORRUPT);
  }
  m_pOpenEntry = NULL;
}

void CZipDirectory::Raise(int nCode) const { m_pSource->Raise(nCode); }
