#include "framework/os/Unicode.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

bool IsValidUtf8(const char* p, size_t nLength)
{
  const unsigned char* s = reinterpret_cast<const unsigned char*>(p);
  const unsigned char* pEnd = s + nLength;
  while (s < pEnd) {
    const unsigned char c = *s++;
    if (c < 0x80)
      continue;
    int nMore;
    uint32_t nMin, nCode;
    if (c >= 0xC2 && c <= 0xDF)
      nMore = 1, nMin = 0x80, nCode = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
      nMore = 2, nMin = 0x800, nCode = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
      nMore = 3, nMin = 0x10000, nCode = c & 0x07;
    else
      return false;
    if (pEnd - s < nMore)
      return false;
    for (int i = 0; i < nMore; ++i, ++s) {
      if ((*s & 0xC0) != 0x80)
        return false;
      nCode = (nCode << 6) | (*s & 0x3F);
    }
    if (nCode < nMin || nCode > 0x10FFFF || (nCode >= 0xD800 && nCode <= 0xDFFF))
      return false;
  }
  return true;
}

int WideLength(const char* psz)
{
  int nUnits = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(psz); p != NULL && *p != 0; ++p)
    if ((*p & 0xC0) != 0x80)
      nUnits += *p >= 0xF0 ? 2 : 1;
  return nUnits;
}

CString LeadingUnits(const char* psz, int nUnits)
{
  const char* p = psz;
  for (; *p != 0; ++p)
    if ((*p & 0xC0) != 0x80 && (nUnits -= static_cast<unsigned char>(*p) >= 0xF0 ? 2 : 1) < 0)
      break;
  return CString(psz, static_cast<int>(p - psz));
}

#ifdef _WIN32

CString Utf8FromCodePage(LegacyCodePage nCodePage, const char* p, int nLength)
{
  const UINT nSystemPage = nCodePage == kOemCodePage ? CP_OEMCP : CP_ACP;
  if (nLength <= 0)
    return CString();
  const int nUnits = ::MultiByteToWideChar(nSystemPage, 0, p, nLength, NULL, 0);
  WCHAR* pWide = static_cast<WCHAR*>(malloc((static_cast<size_t>(nUnits) + 1) * sizeof(WCHAR)));
  if (pWide == NULL)
    abort();
  ::MultiByteToWideChar(nSystemPage, 0, p, nLength, pWide, nUnits);
  CString strText = Utf8FromWide(pWide, nUnits);
  free(pWide);
  return strText;
}

CString Utf8FromWide(const WCHAR* p, int nUnits)
{
  if (nUnits < 0)
    nUnits = ::lstrlenW(p);
  // One call: a unit becomes at most three bytes (a pair of them four).
  CString strText;
  if (nUnits > 0) {
    const int nRoom = nUnits * 3;
    strText.ReleaseBuffer(::WideCharToMultiByte(CP_UTF8, 0, p, nUnits, strText.GetBuffer(nRoom), nRoom, NULL, NULL));
  }
  return strText;
}

CWideText::CWideText(const char* psz) : m_p(NULL), m_nLength(0) { Convert(psz, NULL, 0); }

CWideText::~CWideText() { free(m_p); }

// The text behind pszPrefix, whose own first nPrefixSkip characters it
// replaces (the "\\" of "\\server\share" that "\\?\UNC\" stands for).
void CWideText::Convert(const char* psz, const WCHAR* pszPrefix, int nPrefixSkip)
{
  if (psz == NULL)
    psz = "";
  // One call: a byte becomes at most one unit.
  const int nPrefix = pszPrefix != NULL ? ::lstrlenW(pszPrefix) : 0;
  const int nBytes = static_cast<int>(strlen(psz + nPrefixSkip));
  m_p = static_cast<WCHAR*>(malloc((static_cast<size_t>(nPrefix) + nBytes + 1) * sizeof(WCHAR)));
  if (m_p == NULL)
    abort();
  if (nPrefix > 0)
    memcpy(m_p, pszPrefix, static_cast<size_t>(nPrefix) * sizeof(WCHAR));
  m_nLength = nPrefix + (nBytes > 0 ? ::MultiByteToWideChar(CP_UTF8, 0, psz + nPrefixSkip, nBytes, m_p + nPrefix, nBytes) : 0);
  m_p[m_nLength] = 0;
}

CWidePath::CWidePath(const char* pszPath)
{
  if (pszPath == NULL)
    pszPath = "";
  // A short path, a relative one or one that has its prefix goes as it is.
  const size_t nLength = strlen(pszPath);
  const bool bDrive = pszPath[0] != '\0' && pszPath[1] == ':' && pszPath[2] == '\\';
  const bool bShare = pszPath[0] == '\\' && pszPath[1] == '\\' && pszPath[2] != '?' && pszPath[2] != '.';
  if (nLength < MAX_PATH - 12 || !(bDrive || bShare))
    Convert(pszPath, NULL, 0);
  else if (bDrive)
    Convert(pszPath, L"\\\\?\\", 0);
  else
    Convert(pszPath, L"\\\\?\\UNC\\", 2);
}

#else

namespace {

// The high halves as Unicode: Windows-1252 differs from Latin-1 only in
// 0x80 to 0x9F; code page 437 in all of them. Generated from the code
// pages' published tables.
// clang-format off
const uint16_t kAnsi80To9F[32] = {
  0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
const uint16_t kOemHigh[128] = {
  0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
  0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
  0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
  0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
  0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
  0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
  0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
  0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
  0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
  0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
  0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
  0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
  0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
  0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
  0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
  0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};
// clang-format on

void AppendUtf8(CString& str, uint32_t nCode)
{
  if (nCode < 0x80) {
    str += static_cast<char>(nCode);
  } else if (nCode < 0x800) {
    str += static_cast<char>(0xC0 | (nCode >> 6));
    str += static_cast<char>(0x80 | (nCode & 0x3F));
  } else {
    str += static_cast<char>(0xE0 | (nCode >> 12));
    str += static_cast<char>(0x80 | ((nCode >> 6) & 0x3F));
    str += static_cast<char>(0x80 | (nCode & 0x3F));
  }
}

}  // namespace

CString Utf8FromCodePage(LegacyCodePage nCodePage, const char* p, int nLength)
{
  CString strText;
  for (int i = 0; i < nLength; ++i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c < 0x80)
      AppendUtf8(strText, c);
    else if (nCodePage == kOemCodePage)
      AppendUtf8(strText, kOemHigh[c - 0x80]);
    else
      AppendUtf8(strText, c < 0xA0 ? kAnsi80To9F[c - 0x80] : c);
  }
  return strText;
}

#endif
