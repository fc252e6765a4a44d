// The one place where the programs convert text. UTF-8 is their own text;
// UTF-16 is what Windows takes at its boundary; the ANSI and OEM code pages
// are those of installers, archives and records made before names were
// UTF-8, read as the running system reads them (on POSIX: Windows-1252 and
// 437, the pages of the machines those were made on).
#pragma once
#include <stddef.h>

#include "framework/String.h"

// Whether the bytes are well-formed UTF-8: no overlong form, no surrogate,
// nothing beyond U+10FFFF, no sequence cut short.
bool IsValidUtf8(const char* p, size_t nLength);

enum LegacyCodePage
{
  kAnsiCodePage,
  kOemCodePage,
};

// Bytes of the ANSI or OEM code page as UTF-8.
CString Utf8FromCodePage(LegacyCodePage nCodePage, const char* p, int nLength);

// The length in UTF-16 units (Windows' characters) of a UTF-8 text: what
// the system's limits count. A character beyond U+FFFF counts two.
int WideLength(const char* psz);

// The longest beginning of a UTF-8 text that is whole characters and at
// most nUnits UTF-16 units long.
CString LeadingUnits(const char* psz, int nUnits);

#ifdef _WIN32
#include <windows.h>

// UTF-16 as UTF-8; nUnits -1: up to the terminating NUL.
CString Utf8FromWide(const WCHAR* p, int nUnits = -1);


// UTF-8 as UTF-16 for one call, NUL-terminated. Invalid UTF-8 (which no
// name the programs make holds) becomes U+FFFD, never a different name.
class CWideText
{
public:
  explicit CWideText(const char* psz);
  ~CWideText();
  CWideText(const CWideText&) = delete;
  CWideText& operator=(const CWideText&) = delete;

  operator const WCHAR*() const { return m_p; }
  WCHAR* Buffer() { return m_p; }
  int Length() const { return m_nLength; }

protected:
  CWideText() : m_p(NULL), m_nLength(0) {}
  void Convert(const char* psz, const WCHAR* pszPrefix, int nPrefixSkip);

  WCHAR* m_p;
  int m_nLength;  // units, without the NUL
};

// A path as the wide file calls take it. An absolute path that reaches the
// old limit of MAX_PATH gets the prefix that lifts it ("\\?\", or
// "\\?\UNC\" for "\\server\share"): then files and folders may be as long
// as Windows allows. Such a path must be whole: no "." or ".." parts and no
// '/' (the programs never make one).
class CWidePath : public CWideText
{
public:
  explicit CWidePath(const char* pszPath);
};
#endif
