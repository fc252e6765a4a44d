// The read cycle of one entry: open (local header, decompressor), read
// (stored or deflated bytes with their CRC-32), close (checks, time, attributes).
#include "zip/ZipReader.h"
#include "framework/os/FileSystem.h"

#include "zip/ZipRecords.h"

namespace {
uint32_t Min(uint32_t a, uint32_t b) { return a < b ? a : b; }
}  // namespace

bool CZipReader::OpenEntry(uint16_t nIndex)
{
  if (!m_directory.IsValidIndex(nIndex) || m_nEntryMode != ZIP_ENTRY_CLOSED)
    return false;
  m_stream.m_input.Allocate(m_stream.m_nInputSize > 0 ? (uint32_t)m_stream.m_nInputSize : 0);
  m_directory.OpenEntry(nIndex);
  const CZipEntryHeader* pHeader = m_directory.m_pOpenEntry;
  if (pHeader->IsEncrypted())
    return false;  // no password: such entries are not extracted

  z_stream& zs = m_stream.m_zs;
  if (pHeader->m_nMethod == ZIP_METHOD_DEFLATED) {
    zs.opaque = m_bTrackBlocks ? &m_blocks : NULL;
    zs.next_in = NULL;
    zs.avail_in = 0;
    CheckZlib(inflateInit2_(&zs, -MAX_WBITS, ZLIB_VERSION, (int)sizeof(z_stream)));
  }
  m_stream.m_nCompressedLeft = pHeader->m_nPackedSize;
  m_stream.m_nUncompressedLeft = pHeader->m_nSize;
  m_stream.m_nCrc = 0;
  zs.total_out = 0;
  zs.avail_in = 0;
  m_nEntryMode = ZIP_ENTRY_OPEN;
  return true;
}

uint32_t CZipReader::ReadEntry(void* pBuf, uint32_t nSize)
{
  if (m_nEntryMode != ZIP_ENTRY_OPEN || !pBuf || nSize == 0)
    return 0;
  CZipEntryStream& s = m_stream;
  z_stream& zs = s.m_zs;
  const bool bStored = m_directory.m_pOpenEntry->m_nMethod == ZIP_METHOD_STORED;
  zs.next_out = static_cast<Bytef*>(pBuf);
  zs.avail_out = Min(nSize, s.m_nUncompressedLeft);
  // Everything delivered but compressed bytes left: feed them to inflate so
  // that the archive ends up right behind the entry's data.
  const bool bDrain = zs.avail_out == 0 && s.m_nCompressedLeft != 0;
  uint32_t nDelivered = 0;

  while (zs.avail_out > 0 || (bDrain && s.m_nCompressedLeft > 0)) {
    if (zs.avail_in == 0 && s.m_nCompressedLeft > 0) {
      uint32_t nRead = Min(s.m_nCompressedLeft, s.m_input.GetSize());
      m_source.Read(s.m_input.GetBuffer(), nRead, false);
      s.m_nCompressedLeft -= nRead;
      zs.next_in = s.m_input.GetBuffer();
      zs.avail_in = nRead;
    }
    if (bStored) {
      // Sizes that disagree (a damaged record) leave nothing to move: stop
      // rather than spin, and let CloseEntry judge what was delivered.
      uint32_t nCopy = Min(zs.avail_out, zs.avail_in);
      if (nCopy == 0)
        break;
      memcpy(zs.next_out, zs.next_in, nCopy);
      s.m_nCrc = crc32(s.m_nCrc, zs.next_out, nCopy);
      zs.next_in += nCopy;
      zs.avail_in -= nCopy;
      zs.next_out += nCopy;
      zs.avail_out -= nCopy;
      zs.total_out += nCopy;
      s.m_nUncompressedLeft -= nCopy;
      nDelivered += nCopy;
    } else {
      uLong nTotalBefore = zs.total_out;
      Bytef* pOut = zs.next_out;
      int nResult = inflate(&zs, Z_SYNC_FLUSH);
      uint32_t nGrown = (uint32_t)(zs.total_out - nTotalBefore);
      s.m_nCrc = crc32(s.m_nCrc, pOut, nGrown);
      s.m_nUncompressedLeft -= nGrown;
      nDelivered += nGrown;
      if (nResult == Z_STREAM_END)
        return nDelivered;
      CheckZlib(nResult);
    }
  }
  return nDelivered;
}

int32_t CZipReader::CloseEntry(const char* lpszFilePath, bool bAfterException)
{
  if (m_nEntryMode != ZIP_ENTRY_OPEN)
    return ZIP_CLOSE_NOTHING_OPEN;
  int32_t nResult = ZIP_CLOSE_DONE;
  const CZipEntryHeader* pHeader = m_directory.m_pOpenEntry;
  if (!bAfterException) {
    if (m_stream.m_nUncompressedLeft == 0) {
      if (m_stream.m_nCrc != pHeader->m_nChecksum)
        Raise(ZIP_CODE_CHECKSUM);
    } else {
      nResult = ZIP_CLOSE_NOT_READ_TO_END;
    }
    if (pHeader->m_nMethod == ZIP_METHOD_DEFLATED)
      inflateEnd(&m_stream.m_zs);
    if (lpszFilePath) {
      CFileStatus status = {};
      status.m_ctime = status.m_atime = CTime::GetCurrentTime();
      status.m_mtime = pHeader->GetTime();
      status.m_attribute = 0;
      try {
        CFile::SetStatus(lpszFilePath, status);
      } catch (CException* e) {
        e->Delete();
        return ZIP_CLOSE_NOTHING_OPEN;
      }
      if (!SetPathAttributes(lpszFilePath, pHeader->GetDosAttributes()))
        nResult = ZIP_CLOSE_ATTRIBUTES_FAILED;
    }
    // The descriptor lies behind the whole of the entry's data, also when
    // inflate did not need its last bytes or the copy stopped early.
    if (pHeader->HasDescriptor())
      SkipUnreadData();
  }
  // After an exception the position inside the entry is unknown, so its
  // descriptor cannot be found; the entry is just let go.
  m_directory.CloseEntry(!bAfterException);
  m_nEntryMode = ZIP_ENTRY_CLOSED;
  m_stream.m_input.Release();
  FreeTrackedBlocks();
  return nResult;
}

void CZipReader::SkipUnreadData()
{
  CZipEntryStream& s = m_stream;
  while (s.m_nCompressedLeft > 0 && s.m_input.GetSize() > 0) {
    uint32_t nRead = Min(s.m_nCompressedLeft, s.m_input.GetSize());
    m_source.Read(s.m_input.GetBuffer(), nRead, false);
    s.m_nCompressedLeft -= nRead;
  }
}

int32_t CZipReader::CloseEntry(CFile& file)
{
  CString strPath = file.GetFilePath();
  file.Close();
  return CloseEntry(strPath, false);
}
