#include "zip/ZipSource.h"

#include "zip/ZipException.h"
#include "zip/ZipPath.h"

IMPLEMENT_DYNAMIC(CZipBigFile, CFile)

void CZipBigFile::SetFilePath(const char* lpszNewName) { CFile::SetFilePath(lpszNewName); }

CZipSource::CZipSource() : m_bOneFile(false), m_pFile(NULL), m_nSpanMode(spanNone), m_nLastVolume(0), m_nVolume(-1) {}

void CZipSource::Open(CFile* pFile, bool bOneFile)
{
  m_pFile = pFile;
  m_bOneFile = bOneFile;
  m_pFile->Seek(0, CFile::begin);
  m_nSpanMode = spanUnknown;
}

// The archive's file failing (a network share or a removable disk gone) is
// told apart from the output file's: the file layer would describe both
// alike.
void CZipSource::ReadFailed(CException* e) const
{
  e->Delete();
  Raise(ZIP_CODE_READ_ERROR);
}

uint32_t CZipSource::ReadFile(void* pBuf, uint32_t nSize)
{
  try {
    return m_pFile->Read(pBuf, nSize);
  } catch (CFileException* e) {
    ReadFailed(e);
  }
}

uint32_t CZipSource::Read(void* pBuf, uint32_t nSize, bool bWhole)
{
  if (nSize == 0)
    return 0;
  uint32_t nRead = ReadFile(pBuf, nSize);
  while (nRead == 0) {
    if (!IsSpanned())
      Raise(ZIP_CODE_CORRUPT);
    ChangeVolume(m_nVolume + 1);
    nRead = ReadFile(pBuf, nSize);
  }
  if (nRead == nSize)
    return nRead;
  if (bWhole || !IsSpanned())
    Raise(ZIP_CODE_CORRUPT);
  while (nRead < nSize) {
    ChangeVolume(m_nVolume + 1);
    uint32_t nMore = ReadFile(static_cast<uint8_t*>(pBuf) + nRead, nSize - nRead);
    if (nMore == 0)
      Raise(ZIP_CODE_CORRUPT);
    nRead += nMore;
  }
  return nRead;
}

void CZipSource::DetectSpanning(uint16_t nVolume)
{
  m_nVolume = nVolume;
  if (nVolume == 0) {
    m_nSpanMode = spanNone;
    return;
  }
  if (m_nSpanMode == spanUnknown)
    m_nSpanMode = IsRemovableDrive(m_pFile->GetFilePath()) ? spanRemovable : spanNumbered;
  else
    m_nSpanMode = spanNumbered;
  if (m_nSpanMode == spanRemovable)
    Raise(ZIP_CODE_REMOVABLE_SPAN);
  m_nLastVolume = nVolume;
}

// Volume files share the archive's drive, directory and title; the last one
// keeps the extension zip, the others are numbered from 000.
void CZipSource::ChangeVolume(int32_t nVolume)
{
  if (nVolume == m_nVolume)
    return;
  // Closing the one file would fail every later entry, and the only other
  // file by a volume's name would be some neighbour of the installer.
  if (m_bOneFile)
    Raise(ZIP_CODE_CORRUPT);
  m_nVolume = nVolume;
  if (m_nSpanMode == spanRemovable)
    return;
  CString strPath = m_pFile->GetFilePath();
  CString strName = GetDirPart(strPath) + GetTitlePart(strPath) + ".";
  if (nVolume == m_nLastVolume) {
    strName += "zip";
  } else {
    CString strNumber;
    strNumber.Format("%.3d", (int)nVolume);
    strName += strNumber;
  }
  m_pFile->Close();
  CFileException* pError = new CFileException(CFileException::none, -1, NULL);
  if (!m_pFile->Open(strName, CFile::modeRead | CFile::modeNoTruncate | CFile::shareDenyWrite, pError))
    throw pError;
  delete pError;
}

void CZipSource::SeekTo(uint64_t nPosition)
{
  try {
    if (nPosition > m_pFile->GetLength())
      Raise(ZIP_CODE_CORRUPT);
    // CFile seeks by a signed 32-bit distance. Behind a long head (an
    // installer of more than 2 GiB) a position is reached in steps.
    uint64_t nLeft = nPosition;
    UINT nFrom = CFile::begin;
    do {
      LONG nStep = nLeft > 0x7FFFFFFF ? 0x7FFFFFFF : (LONG)nLeft;
      m_pFile->Seek(nStep, nFrom);
      nFrom = CFile::current;
      nLeft -= (uint64_t)nStep;
    } while (nLeft > 0);
  } catch (CFileException* e) {
    ReadFailed(e);
  }
}

void CZipSource::Skip(int32_t nBytes)
{
  // The position is the file object's own; what may fail is the seek.
  int64_t nPosition = (int64_t)m_pFile->GetPosition() + nBytes;
  if (nPosition < 0)
    Raise(ZIP_CODE_CORRUPT);
  SeekTo((uint64_t)nPosition);
}

void CZipSource::Raise(int nCode) const { RaiseZipError(nCode, m_pFile ? m_pFile->GetFilePath() : CString()); }
