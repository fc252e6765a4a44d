#include "tools/mkinstaller/BuildVerification.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "tools/mkinstaller/Diagnostics.h"
#include "tools/mkinstaller/InstallerFile.h"
#include "tools/mkinstaller/ScriptPrep.h"

namespace {
std::string Where(const std::string& strPath, const CPayloadEntry& entry)
{
  return strPath + ": entry \"" + entry.m_strName + "\"";
}

// Compares what the reader gives back with the payload file, piece by piece.
class CSourceComparison
{
public:
  explicit CSourceComparison(const std::string& strPath) : m_fd(open(strPath.c_str(), O_RDONLY)) {}
  ~CSourceComparison()
  {
    if (m_fd >= 0)
      close(m_fd);
  }
  bool Same(const char* pData, uint32_t nSize)
  {
    m_strBuffer.resize(nSize);
    size_t nRead = 0;
    while (m_fd >= 0 && nRead < nSize) {
      ssize_t n = read(m_fd, &m_strBuffer[nRead], nSize - nRead);
      if (n < 0 && errno == EINTR)
        continue;
      if (n <= 0)
        break;
      nRead += (size_t)n;
    }
    return nRead == nSize && memcmp(m_strBuffer.data(), pData, nSize) == 0;
  }

private:
  int m_fd;
  std::string m_strBuffer;
};

// Names, attributes, times and sizes, from the central directory.
void CheckHeaders(const CSetupData& data, const std::string& strPath, const std::vector<CPayloadEntry>& entries)
{
  for (size_t i = 0; i < entries.size(); ++i) {
    const CPayloadEntry& entry = entries[i];
    CZipEntryHeader info;
    data.m_archive.GetEntryInfo(info, (uint16_t)i);
    std::string strExpected = entry.m_strName;
    std::replace(strExpected.begin(), strExpected.end(), '/', '\\');
    CString strName = info.GetFileName();
    if (std::string(strName, (size_t)strName.GetLength()) != strExpected)
      Refuse(Where(strPath, entry),
             "verification failed: setup reads the name as \"" + EntryNameUtf8(data.m_archive, (uint16_t)i) + "\"");
    if (info.m_nAttributes != entry.m_nAttributes || info.m_nTime != entry.m_nDosTime ||
        info.m_nDate != entry.m_nDosDate || info.m_nSize != entry.m_nSize ||
        data.m_archive.IsDirectoryEntry((uint16_t)i) != entry.m_bDirectory)
      Refuse(Where(strPath, entry), "verification failed: attributes, time or size read back differently");
  }
}

// Every file's contents through setup's reader, compared with the payload.
// Threads take entries in order; after a failure they finish the entry they
// hold, so the first failing entry is the one reported, whatever the count.
class CContentCheck
{
public:
  CContentCheck(const std::string& strInstaller, const std::string& strPath, const std::vector<CPayloadEntry>& entries)
      : m_strInstaller(strInstaller), m_strPath(strPath), m_entries(entries), m_nFailed(entries.size())
  {}

  void Run(unsigned nThreads, CProgress& progress)
  {
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < nThreads && i < m_entries.size(); ++i)
      helpers.emplace_back(&CContentCheck::Work, this, nullptr);
    Work(&progress);
    for (std::thread& helper : helpers)
      helper.join();
    if (m_nFailed < m_entries.size())
      throw CRefusal(m_strFailure);
  }

private:
  // pProgress: only the calling thread draws.
  void Work(CProgress* pProgress)
  {
    try {
      // Each thread reads the installer through a reader of its own, as
      // setup does: from the file.
      CSetupData data;
      CString strAgreement;
      LoadInstaller(data, strAgreement, m_strInstaller, m_strPath);
      CZipReader& reader = data.m_archive;
      while (!m_bStop) {
        size_t i = m_nNext++;
        if (i >= m_entries.size())
          break;
        try {
          Check(reader, i, pProgress);
        } catch (const CRefusal& refusal) {
          Fail(i, refusal.what());
        }
      }
    } catch (const CRefusal& refusal) {
      Fail(0, refusal.what());
    } catch (CException* e) {
      Fail(0, m_strPath + ": verification failed: " + DescribeException(e));
    } catch (const std::bad_alloc&) {
      Fail(0, m_strPath + ": verification failed: out of memory");
    }
  }

  void Check(CZipReader& reader, size_t i, CProgress* pProgress)
  {
    const CPayloadEntry& entry = m_entries[i];
    if (!entry.m_bDirectory) {
      CSourceComparison source(entry.m_strSource);
      ReadEntryData(reader, (uint16_t)i, m_strPath, [&](const char* pData, uint32_t nSize) {
        if (!source.Same(pData, nSize))
          Refuse(Where(m_strPath, entry), "verification failed: the contents read back differently");
        m_nBytesDone += nSize;
        if (pProgress)
          pProgress->Update(m_nEntriesDone, m_nBytesDone);
      });
    }
    ++m_nEntriesDone;
  }

  void Fail(size_t i, const std::string& strMessage)
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (i < m_nFailed) {
      m_nFailed = i;
      m_strFailure = strMessage;
    }
    m_bStop = true;
  }

  const std::string& m_strInstaller;
  const std::string& m_strPath;
  const std::vector<CPayloadEntry>& m_entries;
  std::atomic<size_t> m_nNext{0}, m_nEntriesDone{0};
  std::atomic<uint64_t> m_nBytesDone{0};
  std::atomic<bool> m_bStop{false};
  std::mutex m_mutex;
  size_t m_nFailed;
  std::string m_strFailure;
};
}  // namespace

void VerifyInstaller(const std::string& strTemp, const std::string& strPath, uint32_t nScript,
                     const std::string& strScript, const std::vector<CPayloadEntry>& entries, unsigned nThreads,
                     CProgress& progress)
{
  CSetupData data;
  CString strAgreement;
  LoadInstaller(data, strAgreement, strTemp, strPath);
  // Stored behind its byte-order mark, and parsed as it was written.
  if (kScriptByteOrderMark + strScript != data.m_pImage + nScript || strScript != LoadedScript(data))
    Refuse(strPath, "verification failed: the script reads back differently");
  if (data.m_archive.GetCount() != (int32_t)entries.size())
    Refuse(strPath, "verification failed: " + std::to_string(data.m_archive.GetCount()) + " entries instead of " +
                        std::to_string(entries.size()));
  CheckHeaders(data, strPath, entries);
  CContentCheck(strTemp, strPath, entries).Run(nThreads, progress);
}
