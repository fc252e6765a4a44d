#include "tools/mkinstaller/Progress.h"

#include <stdio.h>
#include <unistd.h>

namespace {
const auto kRedrawEvery = std::chrono::milliseconds(100);
// Before this much time has passed the rate says little about the rest.
const double kEstimateAfter = 1.0;
}  // namespace

std::string HumanBytes(uint64_t nBytes)
{
  char sz[32];
  if (nBytes < 10000)
    snprintf(sz, sizeof(sz), "%llu bytes", (unsigned long long)nBytes);
  else if (nBytes < 1000000)
    snprintf(sz, sizeof(sz), "%.1f KB", nBytes / 1e3);
  else
    snprintf(sz, sizeof(sz), "%.1f MB", nBytes / 1e6);
  return sz;
}

CProgress::CProgress() : m_bTerminal(isatty(STDERR_FILENO) != 0) {}

void CProgress::Start(const std::string& strStep, size_t nEntries, uint64_t nBytes)
{
  m_strStep = strStep;
  m_nEntries = nEntries;
  m_nBytes = nBytes;
  m_start = Clock::now();
  Draw(0, 0);
}

void CProgress::Update(size_t nEntriesDone, uint64_t nBytesDone)
{
  if (m_bTerminal && Clock::now() - m_lastDraw >= kRedrawEvery)
    Draw(nEntriesDone, nBytesDone);
}

void CProgress::Draw(size_t nEntriesDone, uint64_t nBytesDone)
{
  if (!m_bTerminal)
    return;
  m_lastDraw = Clock::now();
  double elapsed = std::chrono::duration<double>(m_lastDraw - m_start).count();
  // By bytes, as they take the time; by entries for a payload of empty files.
  double done = m_nBytes ? (double)nBytesDone / m_nBytes : m_nEntries ? (double)nEntriesDone / m_nEntries : 1;
  std::string strLeft = "estimating time left";
  if (elapsed >= kEstimateAfter && done > 0)
    strLeft = "about " + std::to_string((long long)(elapsed * (1 - done) / done + 0.5)) + " s left";
  fprintf(stderr, "\r%s: %zu/%zu entries, %s of %s, %s\033[K", m_strStep.c_str(), nEntriesDone, m_nEntries,
          HumanBytes(nBytesDone).c_str(), HumanBytes(m_nBytes).c_str(), strLeft.c_str());
  fflush(stderr);
  m_bShown = true;
}

void CProgress::Clear()
{
  if (m_bShown) {
    fputs("\r\033[K", stderr);
    fflush(stderr);
    m_bShown = false;
  }
}
