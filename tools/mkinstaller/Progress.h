// The progress line of a long command: entries and bytes done and an
// estimate of the time left, redrawn in place on a terminal. Silent when
// stderr is not a terminal, so that logs and pipes get only the messages.
#pragma once
#include <stdint.h>
#include <chrono>
#include <string>

class CProgress
{
public:
  CProgress();
  ~CProgress() { Clear(); }
  CProgress(const CProgress&) = delete;
  CProgress& operator=(const CProgress&) = delete;

  // A new step ("packing", "verifying") over so many entries and bytes.
  void Start(const std::string& strStep, size_t nEntries, uint64_t nBytes);
  // Redraws the line, at most ten times a second.
  void Update(size_t nEntriesDone, uint64_t nBytesDone);
  // Removes the line, before a message or the summary.
  void Clear();

private:
  typedef std::chrono::steady_clock Clock;
  void Draw(size_t nEntriesDone, uint64_t nBytesDone);

  bool m_bTerminal;
  bool m_bShown = false;
  std::string m_strStep;
  size_t m_nEntries = 0;
  uint64_t m_nBytes = 0;
  Clock::time_point m_start, m_lastDraw;
};

// Bytes for a person: "812 bytes", "45.6 MB".
std::string HumanBytes(uint64_t nBytes);
