#ifdef _WIN32
#include "framework/File.h"
#include "framework/os/FileSystem.h"

namespace {
HANDLE H(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

FILETIME ToFileTime(CTime t)
{
  ULONGLONG ticks = (ULONGLONG)t.GetTime() * 10000000ULL + 116444736000000000ULL;
  FILETIME ft;
  ft.dwLowDateTime = (DWORD)ticks;
  ft.dwHighDateTime = (DWORD)(ticks >> 32);
  return ft;
}

DWORD Win32Attributes(BYTE attribute) { return attribute == 0 ? FILE_ATTRIBUTE_NORMAL : attribute; }
}  // namespace

CFile::~CFile()
{
  if (IsOpen())
    ::CloseHandle(H(m_hFile));
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
  if (IsOpen())
    Close();
  DWORD access = 0;
  switch (nOpenFlags & 3) {
  case modeRead: access = GENERIC_READ; break;
  case modeWrite: access = GENERIC_WRITE; break;
  default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share = 0;
  switch (nOpenFlags & 0x70) {
  case shareDenyWrite: share = FILE_SHARE_READ; break;
  case shareDenyRead: share = FILE_SHARE_WRITE; break;
  case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
  default: share = 0; break;
  }
  DWORD create = OPEN_EXISTING;
  if (nOpenFlags & modeCreate)
    create = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

  SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, FALSE};
  HANDLE h = ::CreateFileW(CWidePath(lpszFileName), access, share, &sa, create, FILE_ATTRIBUTE_NORMAL, NULL);
  if (h == INVALID_HANDLE_VALUE) {
    if (pError) {
      LONG err = (LONG)::GetLastError();
      pError->m_lOsError = err;
      pError->m_cause = CFileException::OsErrorToException(err);
      pError->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  m_hFile = reinterpret_cast<intptr_t>(h);
  SetFilePath(lpszFileName);
  return TRUE;
}

void CFile::Close()
{
  if (!IsOpen())
    return;
  BOOL ok = ::CloseHandle(H(m_hFile));
  m_hFile = hFileNull;
  if (!ok)
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFilePath);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
  if (nCount == 0)
    return 0;
  DWORD got = 0;
  if (!::ReadFile(H(m_hFile), lpBuf, nCount, &got, NULL))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFilePath);
  return got;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
  if (nCount == 0)
    return;
  DWORD put = 0;
  if (!::WriteFile(H(m_hFile), lpBuf, nCount, &put, NULL))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFilePath);
  if (put < nCount)
    CFileException::Throw(CFileException::diskFull, -1, m_strFilePath);
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
  DWORD method = nFrom == begin ? FILE_BEGIN : nFrom == current ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER dist, pos;
  dist.QuadPart = lOff;
  if (!::SetFilePointerEx(H(m_hFile), dist, &pos, method))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFilePath);
  return (LONG)pos.QuadPart;
}

DWORD CFile::GetPosition() const
{
  LARGE_INTEGER zero, pos;
  zero.QuadPart = 0;
  if (!::SetFilePointerEx(H(m_hFile), zero, &pos, FILE_CURRENT))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFilePath);
  return (DWORD)pos.QuadPart;
}

DWORD CFile::GetLength() const
{
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(H(m_hFile), &size))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFilePath);
  return (DWORD)size.QuadPart;
}

void CFile::SetTimes(const CFileStatus& status)
{
  FILETIME c = ToFileTime(status.m_ctime), a = ToFileTime(status.m_atime), m = ToFileTime(status.m_mtime);
  if (!::SetFileTime(H(m_hFile), status.m_ctime.GetTime() ? &c : NULL, status.m_atime.GetTime() ? &a : NULL,
                     status.m_mtime.GetTime() ? &m : NULL))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFilePath);
}

void CFile::SetStatus(const char* lpszFileName, const CFileStatus& status)
{
  DWORD current = GetPathAttributes(lpszFileName);
  if (current == INVALID_FILE_ATTRIBUTES)
    CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
  // A read-only file takes new times only once it is writable again.
  if ((current & FILE_ATTRIBUTE_READONLY) && status.m_attribute != (BYTE)current)
    if (!SetPathAttributes(lpszFileName, Win32Attributes(status.m_attribute)))
      CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);

  HANDLE h = ::CreateFileW(CWidePath(lpszFileName), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (h == INVALID_HANDLE_VALUE)
    CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
  FILETIME c = ToFileTime(status.m_ctime), a = ToFileTime(status.m_atime), m = ToFileTime(status.m_mtime);
  BOOL ok = ::SetFileTime(h, status.m_ctime.GetTime() ? &c : NULL, status.m_atime.GetTime() ? &a : NULL,
                          status.m_mtime.GetTime() ? &m : NULL);
  DWORD err = ::GetLastError();
  ::CloseHandle(h);
  if (!ok)
    CFileException::ThrowOsError((LONG)err, lpszFileName);

  if (!(current & FILE_ATTRIBUTE_READONLY) && status.m_attribute != (BYTE)current)
    if (!SetPathAttributes(lpszFileName, Win32Attributes(status.m_attribute)))
      CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}
#endif
