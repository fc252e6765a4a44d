#include "setup/SourceFile.h"

BOOL CSourceFile::OpenSource(const char* lpszPath)
{
  return CFile::Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite);
}

BOOL CSourceFile::Open(const char* lpszFileName, UINT, CFileException* pError)
{
  if (pError) {
    pError->m_cause = CFileException::fileNotFound;
    pError->m_lOsError = -1;
    pError->m_strFileName = lpszFileName;
  }
  return FALSE;
}
