#ifdef _WIN32
#include "framework/FileFind.h"
#include "framework/os/Unicode.h"

struct CFileFind::Impl
{
  HANDLE hFind = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW next;     // found but not yet handed out
  WIN32_FIND_DATAW current;  // the match FindNextFile stepped to
  bool bHaveNext = false;
};

CFileFind::CFileFind() : m_pImpl(new Impl) {}

CFileFind::~CFileFind()
{
  Close();
  delete m_pImpl;
}

void CFileFind::Close()
{
  if (m_pImpl->hFind != INVALID_HANDLE_VALUE)
    ::FindClose(m_pImpl->hFind);
  m_pImpl->hFind = INVALID_HANDLE_VALUE;
  m_pImpl->bHaveNext = false;
}

BOOL CFileFind::FindFile(const char* pstrName)
{
  Close();
  m_pImpl->hFind = ::FindFirstFileW(CWidePath(pstrName ? pstrName : "*.*"), &m_pImpl->next);
  m_pImpl->bHaveNext = m_pImpl->hFind != INVALID_HANDLE_VALUE;
  return m_pImpl->bHaveNext;
}

BOOL CFileFind::FindNextFile()
{
  if (!m_pImpl->bHaveNext)
    return FALSE;
  m_pImpl->current = m_pImpl->next;
  m_pImpl->bHaveNext = ::FindNextFileW(m_pImpl->hFind, &m_pImpl->next) != 0;
  return m_pImpl->bHaveNext;
}

CString CFileFind::GetFileName() const { return Utf8FromWide(m_pImpl->current.cFileName); }

BOOL CFileFind::IsDirectory() const { return (m_pImpl->current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
#endif
