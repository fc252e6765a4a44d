#include "framework/Time.h"

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
  struct tm t = {};
  t.tm_year = nYear - 1900;
  t.tm_mon = nMonth - 1;
  t.tm_mday = nDay;
  t.tm_hour = nHour;
  t.tm_min = nMin;
  t.tm_sec = nSec;
  t.tm_isdst = nDST;
  m_time = mktime(&t);
  // A date the runtime cannot represent (a damaged record, say) becomes
  // the epoch rather than the error value -1.
  if (m_time == (time_t)-1)
    m_time = 0;
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11, (wDosTime >> 5) & 0x3F,
            (wDosTime & 0x1F) * 2, nDST)
{}

CTime CTime::GetCurrentTime() { return CTime(time(NULL)); }

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
  time_t t = m_time;
#ifdef _WIN32
  struct tm* p = localtime(&t);
  if (!p)
    return NULL;
  *ptm = *p;
  return ptm;
#else
  return localtime_r(&t, ptm);
#endif
}
