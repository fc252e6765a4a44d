// CString's formatting and FormatTo, apart from the rest of the string:
// a program that formats nothing (the uninstaller) takes none of the C
// runtime's printf machinery along.
#include "framework/String.h"

#include <stdarg.h>
#include <stdio.h>

void CString::Format(const char* pszFormat, ...)
{
  va_list args;
  va_start(args, pszFormat);
  va_list again;
  va_copy(again, args);
  int n = FormatToV(NULL, 0, pszFormat, args);
  va_end(args);
  if (n <= 0) {
    va_end(again);
    Empty();
    return;
  }
  CString result;
  result.AllocBuffer(n);
  FormatToV(result.m_pchData, (size_t)n + 1, pszFormat, again);
  va_end(again);
  *this = result;
}

int FormatToV(char* pszOut, size_t nOutSize, const char* pszFormat, va_list args)
{
#ifdef _WIN32
  // _vsnprintf leaves a text that fills the buffer unterminated and says
  // -1 when it is cut; _vscprintf tells the whole length.
  va_list again;
  va_copy(again, args);
  int n = _vscprintf(pszFormat, args);
  if (n >= 0 && nOutSize > 0) {
    _vsnprintf(pszOut, nOutSize, pszFormat, again);
    pszOut[(size_t)n < nOutSize ? (size_t)n : nOutSize - 1] = 0;
  } else if (nOutSize > 0) {
    pszOut[0] = 0;
  }
  va_end(again);
  return n;
#else
  return vsnprintf(pszOut, nOutSize, pszFormat, args);
#endif
}

int FormatTo(char* pszOut, size_t nOutSize, const char* pszFormat, ...)
{
  va_list args;
  va_start(args, pszFormat);
  int n = FormatToV(pszOut, nOutSize, pszFormat, args);
  va_end(args);
  return n;
}

