// CTime: an absolute time in seconds since 1970 (UTC), built from local
// calendar fields the way the C runtime's mktime reads them.
#pragma once
#include "framework/Platform.h"
#include <time.h>

class CTime
{
public:
  CTime() : m_time(0) {}
  explicit CTime(time_t t) : m_time(t) {}
  // Local time; nDST < 0 lets the runtime decide whether daylight saving applies.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  // An MS-DOS date and time (2-second resolution), read as local time.
  CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);

  static CTime GetCurrentTime();
  time_t GetTime() const { return m_time; }
  struct tm* GetLocalTm(struct tm* ptm) const;

  bool operator==(CTime other) const { return m_time == other.m_time; }
  bool operator!=(CTime other) const { return m_time != other.m_time; }

private:
  time_t m_time;
};
