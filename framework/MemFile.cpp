#include "framework/MemFile.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL), m_bAutoDelete(true)
{}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { FreeOwned(); }

void CMemFile::FreeOwned()
{
  if (m_bAutoDelete)
    free(m_lpBuffer);
  m_lpBuffer = NULL;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

// With a growth step of 0 the whole buffer is the file's content, otherwise
// it starts empty. Either way it stays the caller's: it is never reallocated,
// so a write past its end throws.
void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
  FreeOwned();
  m_nGrowBytes = nGrowBytes;
  m_lpBuffer = lpBuffer;
  m_nBufferSize = nBufferSize;
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_nPosition = 0;
  m_bAutoDelete = false;
}

BOOL CMemFile::Open(const char* lpszFileName, UINT, CFileException* pError)
{
  if (pError) {
    pError->m_cause = CFileException::fileNotFound;
    pError->m_lOsError = -1;
    pError->m_strFileName = lpszFileName;
  }
  return FALSE;
}

void CMemFile::Close() { FreeOwned(); }

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
  if (m_nPosition >= m_nFileSize || nCount == 0)
    return 0;
  DWORD n = m_nFileSize - m_nPosition;
  if (n > nCount)
    n = nCount;
  memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return n;
}

void CMemFile::GrowFile(DWORD dwNewLen)
{
  if (dwNewLen <= m_nBufferSize)
    return;
  if (m_nGrowBytes == 0 || !m_bAutoDelete)
    CFileException::Throw(CFileException::diskFull);
  DWORD newSize = m_nBufferSize;
  while (newSize < dwNewLen) {
    DWORD next = newSize + m_nGrowBytes;
    if (next < newSize)
      CFileException::Throw(CFileException::diskFull);
    newSize = next;
  }
  BYTE* p = static_cast<BYTE*>(realloc(m_lpBuffer, newSize));
  if (!p)
    CFileException::Throw(CFileException::diskFull);
  m_lpBuffer = p;
  m_nBufferSize = newSize;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
  if (nCount == 0)
    return;
  DWORD end = m_nPosition + nCount;
  if (end < m_nPosition)
    CFileException::Throw(CFileException::diskFull);
  GrowFile(end);
  if (m_nPosition > m_nFileSize)
    memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = end;
  if (end > m_nFileSize)
    m_nFileSize = end;
}

// Seeking past the end is allowed (reads there give nothing); before the
// start it is a bad seek.
LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
  int64_t base = nFrom == begin ? 0 : nFrom == current ? (int64_t)m_nPosition : (int64_t)m_nFileSize;
  int64_t pos = base + lOff;
  if (pos < 0 || pos > 0x7FFFFFFF)
    CFileException::Throw(CFileException::badSeek);
  m_nPosition = (DWORD)pos;
  return (LONG)pos;
}
