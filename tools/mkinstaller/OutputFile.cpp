#include "tools/mkinstaller/OutputFile.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tools/mkinstaller/Diagnostics.h"

COutputFile::COutputFile(const std::string& strPath, mode_t nMode, const std::string& strShownAs)
    : m_strShownAs(strShownAs)
{
  m_fd = open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, nMode);
  if (m_fd < 0)
    Refuse(strShownAs, std::string("cannot be written: ") + strerror(errno));
  fchmod(m_fd, nMode);
}

COutputFile::~COutputFile()
{
  if (m_fd >= 0)
    close(m_fd);
}

void COutputFile::Append(const char* pData, size_t nSize)
{
  Write(pData, nSize, m_nPosition);
  m_nPosition += nSize;
}

void COutputFile::Rewind(uint64_t nPosition) { m_nPosition = nPosition; }

void COutputFile::Write(const char* pData, size_t nSize, uint64_t nOffset)
{
  while (nSize > 0) {
    ssize_t n = pwrite(m_fd, pData, nSize, (off_t)nOffset);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      Refuse(m_strShownAs, "cannot be written whole");
    pData += n;
    nSize -= (size_t)n;
    nOffset += (uint64_t)n;
  }
}

void COutputFile::Close()
{
  bool bDone = ftruncate(m_fd, (off_t)m_nPosition) == 0;
  bDone = close(m_fd) == 0 && bDone;
  m_fd = -1;
  if (!bDone)
    Refuse(m_strShownAs, "cannot be written whole");
}
