#include "tools/mkinstaller/ChunkDeflater.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>

#include "tools/mkinstaller/Diagnostics.h"

namespace {
const int kLevel = 9;
const uint32_t kDictionary = 32768;
const unsigned kMaxThreads = 256;

// Reads [nOffset, nOffset + nSize) of a file that must still have nFileSize bytes.
std::string ReadRange(const std::string& strPath, uint32_t nOffset, uint32_t nSize, uint32_t nFileSize)
{
  int fd = open(strPath.c_str(), O_RDONLY);
  if (fd < 0)
    Refuse(strPath, std::string("cannot be read: ") + strerror(errno));
  std::string strData(nSize, '\0');
  size_t nRead = 0;
  struct stat st;
  bool bSameSize = fstat(fd, &st) == 0 && st.st_size == (off_t)nFileSize;
  while (bSameSize && nRead < nSize) {
    ssize_t n = pread(fd, &strData[nRead], nSize - nRead, (off_t)(nOffset + nRead));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    nRead += (size_t)n;
  }
  int nErr = errno;
  close(fd);
  if (!bSameSize)
    Refuse(strPath, "changed while it was being packed");
  if (nRead < nSize)
    Refuse(strPath, std::string("read error: ") + strerror(nErr));
  return strData;
}
}  // namespace

unsigned WorkerThreads()
{
  const char* psz = getenv("MKINSTALLER_THREADS");
  if (psz != NULL && *psz != 0) {
    char* pEnd = NULL;
    unsigned long n = strtoul(psz, &pEnd, 10);
    if (*pEnd != 0 || n < 1 || n > kMaxThreads)
      Refuse("MKINSTALLER_THREADS", "not a number of threads from 1 to " + std::to_string(kMaxThreads));
    return (unsigned)n;
  }
  unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : n > kMaxThreads ? kMaxThreads : n;
}

CChunkDeflater::CChunkDeflater(const std::vector<CPayloadEntry>& entries, unsigned nThreads) : m_entries(entries)
{
  for (size_t i = 0; i < entries.size(); ++i)
    for (uint64_t nOffset = 0; nOffset < entries[i].m_nSize; nOffset += kChunkSize)
      m_jobs.push_back({i, (uint32_t)nOffset});
  m_window.resize(2 * (size_t)nThreads + 2);
  m_done.resize(m_window.size());
  for (unsigned i = 0; i < nThreads && i < m_jobs.size(); ++i)
    m_threads.emplace_back(&CChunkDeflater::Work, this);
}

CChunkDeflater::~CChunkDeflater()
{
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bStop = true;
  }
  m_changed.notify_all();
  for (std::thread& thread : m_threads)
    thread.join();
}

bool CChunkDeflater::Next(CDeflatedChunk& chunk)
{
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_nHandedBack == m_jobs.size())
    return false;
  size_t nSlot = m_nHandedBack % m_window.size();
  m_changed.wait(lock, [&] { return (bool)m_done[nSlot]; });
  chunk = std::move(m_window[nSlot]);
  m_done[nSlot] = false;
  ++m_nHandedBack;
  lock.unlock();
  m_changed.notify_all();
  if (!chunk.m_strRefusal.empty())
    throw CRefusal(chunk.m_strRefusal);
  return true;
}

void CChunkDeflater::Work()
{
  z_stream zs = {};
  bool bReady = deflateInit2(&zs, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
  for (;;) {
    size_t nJob;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(
          lock, [&] { return m_bStop || m_nTaken == m_jobs.size() || m_nTaken < m_nHandedBack + m_window.size(); });
      if (m_bStop || m_nTaken == m_jobs.size())
        break;
      nJob = m_nTaken++;
    }
    CDeflatedChunk chunk;
    try {
      if (!bReady)
        throw CRefusal("archive: zlib cannot start deflate");
      Deflate(m_jobs[nJob], chunk, zs);
    } catch (const CRefusal& refusal) {
      chunk.m_strRefusal = refusal.what();
    } catch (const std::bad_alloc&) {
      chunk.m_strRefusal = "archive: out of memory";
    }
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_window[nJob % m_window.size()] = std::move(chunk);
      m_done[nJob % m_window.size()] = true;
    }
    m_changed.notify_all();
  }
  if (bReady)
    deflateEnd(&zs);
}

void CChunkDeflater::Deflate(const CJob& job, CDeflatedChunk& chunk, z_stream& zs) const
{
  const CPayloadEntry& entry = m_entries[job.m_nEntry];
  uint32_t nSize = std::min(kChunkSize, entry.m_nSize - job.m_nOffset);
  uint32_t nBefore = std::min(kDictionary, job.m_nOffset);
  std::string strRaw = ReadRange(entry.m_strSource, job.m_nOffset - nBefore, nBefore + nSize, entry.m_nSize);
  const Bytef* pChunk = (const Bytef*)strRaw.data() + nBefore;

  chunk.m_nEntry = job.m_nEntry;
  chunk.m_nRawSize = nSize;
  chunk.m_nCrc = (uint32_t)crc32(crc32(0, NULL, 0), pChunk, nSize);
  chunk.m_bLast = job.m_nOffset + nSize == entry.m_nSize;
  // The last chunk finishes the stream; the others end with a sync flush,
  // which ends on a byte boundary, so the next chunk's output follows on.
  int nFlush = chunk.m_bLast ? Z_FINISH : Z_SYNC_FLUSH;
  if (deflateReset(&zs) != Z_OK ||
      (nBefore > 0 && deflateSetDictionary(&zs, (const Bytef*)strRaw.data(), nBefore) != Z_OK))
    throw CRefusal("archive: zlib refused to deflate " + entry.m_strSource);
  chunk.m_strPacked.resize(deflateBound(&zs, nSize) + 16);
  zs.next_in = const_cast<Bytef*>(pChunk);
  zs.avail_in = nSize;
  size_t nOut = 0;
  for (;;) {
    zs.next_out = (Bytef*)&chunk.m_strPacked[nOut];
    zs.avail_out = (uInt)(chunk.m_strPacked.size() - nOut);
    int r = deflate(&zs, nFlush);
    nOut = chunk.m_strPacked.size() - zs.avail_out;
    // A flush is complete when deflate leaves output space unused.
    if (nFlush == Z_FINISH ? r == Z_STREAM_END : zs.avail_in == 0 && zs.avail_out > 0)
      break;
    if ((r != Z_OK && r != Z_BUF_ERROR) || zs.avail_out > 0)
      throw CRefusal("archive: zlib refused to deflate " + entry.m_strSource);
    chunk.m_strPacked.resize(chunk.m_strPacked.size() * 2);
  }
  chunk.m_strPacked.resize(nOut);
}
