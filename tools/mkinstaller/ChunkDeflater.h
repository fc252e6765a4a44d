// The payload's files raw-deflated on worker threads, handed back in archive
// order. Files are cut into chunks of a fixed size; each chunk is deflated
// with the 32 KB before it as dictionary and ends on a byte boundary, so the
// chunks of a file join into one deflate stream and the bytes do not depend
// on the number of threads.
#pragma once
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <zlib.h>

#include "tools/mkinstaller/Payload.h"

struct CDeflatedChunk
{
  size_t m_nEntry;
  uint32_t m_nRawSize;
  uint32_t m_nCrc;  // CRC-32 of the chunk's raw bytes
  bool m_bLast;     // the file's last chunk ends the deflate stream
  std::string m_strPacked;
  std::string m_strRefusal;  // set when the file could not be read
};

class CChunkDeflater
{
public:
  static constexpr uint32_t kChunkSize = 1 << 20;

  // Starts nThreads workers over the non-empty files of entries.
  CChunkDeflater(const std::vector<CPayloadEntry>& entries, unsigned nThreads);
  ~CChunkDeflater();
  CChunkDeflater(const CChunkDeflater&) = delete;
  CChunkDeflater& operator=(const CChunkDeflater&) = delete;

  // The next chunk in order (all chunks of an entry, then the next entry's);
  // false after the last. Refuses when that chunk's file could not be read.
  bool Next(CDeflatedChunk& chunk);

private:
  struct CJob
  {
    size_t m_nEntry;
    uint32_t m_nOffset;
  };
  void Work();
  void Deflate(const CJob& job, CDeflatedChunk& chunk, z_stream& zs) const;

  const std::vector<CPayloadEntry>& m_entries;
  std::vector<CJob> m_jobs;
  // Jobs are taken in order; at most m_window.size() are taken and not yet
  // handed back, which bounds the memory to a few chunks per thread.
  std::vector<CDeflatedChunk> m_window;
  std::vector<bool> m_done;
  size_t m_nTaken = 0, m_nHandedBack = 0;
  bool m_bStop = false;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<std::thread> m_threads;
};

// The number of threads that deflate and verify: MKINSTALLER_THREADS when
// set, otherwise one per processor.
unsigned WorkerThreads();
