// The parts of CFile that both backends share.
#include "framework/File.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::CFile() : m_hFile(hFileNull) {}

CFile::CFile(const char* lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull)
{
  CFileException* e = new CFileException;
  if (!Open(lpszFileName, nOpenFlags, e))
    throw e;
  delete e;
}

CString CFile::GetFilePath() const { return m_strFilePath; }

void CFile::SetFilePath(const char* lpszNewName) { m_strFilePath = lpszNewName; }
