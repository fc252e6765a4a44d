#include "tools/mkinstaller/CodePage.h"

#include "framework/Platform.h"

namespace {
// Windows-1252 0x80..0x9F; 0 where the code page has no character.
const uint16_t kAnsiHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int EncodeAnsi(uint32_t nCodePoint)
{
  if (nCodePoint < 0x80 || (nCodePoint >= 0xA0 && nCodePoint <= 0xFF))
    return (int)nCodePoint;
  for (int i = 0; i < 32; ++i)
    if (kAnsiHigh[i] != 0 && kAnsiHigh[i] == nCodePoint)
      return 0x80 + i;
  return -1;
}

// One UTF-8 sequence at s[i]; 0 when it is not valid (overlong forms,
// surrogates and values past U+10FFFF included).
size_t DecodeUtf8(const std::string& s, size_t i, uint32_t& nCodePoint)
{
  unsigned char c = (unsigned char)s[i];
  size_t nLen;
  uint32_t nMin;
  if (c < 0x80) {
    nCodePoint = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    nLen = 2, nMin = 0x80, nCodePoint = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    nLen = 3, nMin = 0x800, nCodePoint = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    nLen = 4, nMin = 0x10000, nCodePoint = c & 0x07;
  } else {
    return 0;
  }
  if (i + nLen > s.size())
    return 0;
  for (size_t k = 1; k < nLen; ++k) {
    unsigned char t = (unsigned char)s[i + k];
    if ((t & 0xC0) != 0x80)
      return 0;
    nCodePoint = (nCodePoint << 6) | (t & 0x3F);
  }
  if (nCodePoint < nMin || nCodePoint > 0x10FFFF || (nCodePoint >= 0xD800 && nCodePoint <= 0xDFFF))
    return 0;
  return nLen;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
  if (cp < 0x80) {
    out += (char)cp;
  } else if (cp < 0x800) {
    out += (char)(0xC0 | (cp >> 6));
    out += (char)(0x80 | (cp & 0x3F));
  } else {
    out += (char)(0xE0 | (cp >> 12));
    out += (char)(0x80 | ((cp >> 6) & 0x3F));
    out += (char)(0x80 | (cp & 0x3F));
  }
}
}  // namespace

bool Utf8ToAnsi(const std::string& strUtf8, std::string& strAnsi, size_t& nBadOffset, uint32_t& nCodePoint)
{
  strAnsi.clear();
  for (size_t i = 0; i < strUtf8.size();) {
    uint32_t cp = 0;
    size_t n = DecodeUtf8(strUtf8, i, cp);
    int c = n ? EncodeAnsi(cp) : -1;
    if (c < 0) {
      nBadOffset = i;
      nCodePoint = n ? cp : 0;
      return false;
    }
    strAnsi += (char)c;
    i += n;
  }
  return true;
}

std::string AnsiToUtf8(const std::string& strAnsi)
{
  std::string out;
  for (unsigned char c : strAnsi) {
    uint32_t cp = c;
    if (c >= 0x80 && c < 0xA0)
      cp = kAnsiHigh[c - 0x80] ? kAnsiHigh[c - 0x80] : 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

std::string AnsiToOem(const std::string& strAnsi)
{
  std::string out(strAnsi.size(), '\0');
  CharToOemBuffA(strAnsi.data(), &out[0], (DWORD)strAnsi.size());
  return out;
}

std::string OemToAnsi(const std::string& strOem)
{
  std::string out(strOem.size(), '\0');
  OemToCharBuffA(strOem.data(), &out[0], (DWORD)strOem.size());
  return out;
}

std::string AnsiUpper(const std::string& strAnsi)
{
  std::string out(strAnsi);
  for (char& ch : out) {
    unsigned char c = (unsigned char)ch;
    if (c >= 'a' && c <= 'z')
      c = (unsigned char)(c - 0x20);
    else if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
      c = (unsigned char)(c - 0x20);
    else if (c == 0x9A || c == 0x9C || c == 0x9E)
      c = (unsigned char)(c - 0x10);
    else if (c == 0xFF)
      c = 0x9F;
    ch = (char)c;
  }
  return out;
}
