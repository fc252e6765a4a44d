#ifndef _WIN32
#include "framework/File.h"
#include "framework/os/FileSystem.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
int Fd(intptr_t h) { return (int)h; }

struct HostName
{
  // A name too long for the buffer becomes empty, so that it reaches no file
  // at all rather than the file its truncated prefix would name.
  explicit HostName(const char* path)
  {
    HostPath(path, buf, sizeof(buf));
    if (path && strlen(path) >= sizeof(buf))
      buf[0] = 0;
  }
  char buf[4096];
};
}  // namespace

CFile::~CFile()
{
  if (IsOpen())
    ::close(Fd(m_hFile));
}

// Sharing modes have no POSIX counterpart and are not enforced.
BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
  if (IsOpen())
    Close();
  int flags = 0;
  switch (nOpenFlags & 3) {
  case modeRead: flags = O_RDONLY; break;
  case modeWrite: flags = O_WRONLY; break;
  default: flags = O_RDWR; break;
  }
  if (nOpenFlags & modeCreate)
    flags |= O_CREAT | ((nOpenFlags & modeNoTruncate) ? 0 : O_TRUNC);
  HostName name(lpszFileName);
  int fd = ::open(name.buf, flags | O_CLOEXEC, 0666);
  struct stat st;
  if (fd >= 0 && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    fd = -1;
    errno = EISDIR;
  }
  if (fd < 0) {
    if (pError) {
      pError->m_lOsError = errno;
      pError->m_cause = CFileException::OsErrorToException(errno);
      pError->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  m_hFile = fd;
  SetFilePath(lpszFileName);
  return TRUE;
}

void CFile::Close()
{
  if (!IsOpen())
    return;
  int r = ::close(Fd(m_hFile));
  m_hFile = hFileNull;
  if (r != 0)
    CFileException::ThrowOsError(errno, m_strFilePath);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
  UINT total = 0;
  while (total < nCount) {
    ssize_t n = ::read(Fd(m_hFile), static_cast<char*>(lpBuf) + total, nCount - total);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      CFileException::ThrowOsError(errno, m_strFilePath);
    }
    if (n == 0)
      break;
    total += (UINT)n;
  }
  return total;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
  UINT total = 0;
  while (total < nCount) {
    ssize_t n = ::write(Fd(m_hFile), static_cast<const char*>(lpBuf) + total, nCount - total);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      CFileException::ThrowOsError(errno, m_strFilePath);
    }
    if (n == 0)
      CFileException::Throw(CFileException::diskFull, -1, m_strFilePath);
    total += (UINT)n;
  }
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
  int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
  off_t pos = ::lseek(Fd(m_hFile), lOff, whence);
  if (pos < 0)
    CFileException::ThrowOsError(errno, m_strFilePath);
  return (LONG)pos;
}

DWORD CFile::GetPosition() const
{
  off_t pos = ::lseek(Fd(m_hFile), 0, SEEK_CUR);
  if (pos < 0)
    CFileException::ThrowOsError(errno, m_strFilePath);
  return (DWORD)pos;
}

DWORD CFile::GetLength() const
{
  struct stat st;
  if (fstat(Fd(m_hFile), &st) != 0)
    CFileException::ThrowOsError(errno, m_strFilePath);
  return (DWORD)st.st_size;
}

void CFile::SetTimes(const CFileStatus& status)
{
  struct timespec times[2];
  times[0].tv_sec = status.m_atime.GetTime();
  times[0].tv_nsec = status.m_atime.GetTime() ? 0 : UTIME_OMIT;
  times[1].tv_sec = status.m_mtime.GetTime();
  times[1].tv_nsec = status.m_mtime.GetTime() ? 0 : UTIME_OMIT;
  if (futimens(Fd(m_hFile), times) != 0)
    CFileException::ThrowOsError(errno, m_strFilePath);
}

void CFile::SetStatus(const char* lpszFileName, const CFileStatus& status)
{
  HostName name(lpszFileName);
  struct stat st;
  if (stat(name.buf, &st) != 0)
    CFileException::ThrowOsError(errno, lpszFileName);
  struct timespec times[2];
  times[0].tv_sec = status.m_atime.GetTime();
  times[0].tv_nsec = status.m_atime.GetTime() ? 0 : UTIME_OMIT;
  times[1].tv_sec = status.m_mtime.GetTime();
  times[1].tv_nsec = status.m_mtime.GetTime() ? 0 : UTIME_OMIT;
  if (utimensat(AT_FDCWD, name.buf, times, 0) != 0)
    CFileException::ThrowOsError(errno, lpszFileName);
  if (!SetPathAttributes(lpszFileName, status.m_attribute))
    CFileException::ThrowOsError(errno, lpszFileName);
}
#endif
