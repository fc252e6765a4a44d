#include "tools/mkinstaller/YamlText.h"

#include <stdint.h>
#include <stdio.h>

namespace {
// The code point at p[i] (advancing i), or false for a byte sequence that is
// not UTF-8: truncated, overlong, a surrogate or beyond U+10FFFF.
bool DecodeUtf8(const std::string& p, size_t& i, uint32_t& cp)
{
  unsigned char c = (unsigned char)p[i++];
  int nMore = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (nMore < 0)
    return false;
  cp = nMore == 0 ? c : c & (0x3F >> nMore);
  for (int k = 0; k < nMore; ++k) {
    if (i >= p.size() || ((unsigned char)p[i] & 0xC0) != 0x80)
      return false;
    cp = cp << 6 | ((unsigned char)p[i++] & 0x3F);
  }
  static const uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  return cp >= kLeast[nMore] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

// YAML's printable characters, less those a double-quoted scalar would
// fold (line breaks) or end at.
bool StandsAsItIs(uint32_t cp)
{
  return (cp >= 0x20 && cp <= 0x7E && cp != '"' && cp != '\\') ||
         (cp >= 0xA0 && cp <= 0xD7FF && cp != 0x2028 && cp != 0x2029) ||
         (cp >= 0xE000 && cp <= 0xFFFD && cp != 0xFEFF) || cp >= 0x10000;
}
}  // namespace

bool YamlQuoted(const std::string& strUtf8, std::string& strQuoted)
{
  strQuoted = "\"";
  for (size_t i = 0; i < strUtf8.size();) {
    size_t nStart = i;
    uint32_t cp;
    if (!DecodeUtf8(strUtf8, i, cp))
      return false;
    char szEscape[12];
    if (StandsAsItIs(cp))
      strQuoted.append(strUtf8, nStart, i - nStart);
    else if (cp == '"' || cp == '\\')
      strQuoted += std::string("\\") + (char)cp;
    else if (cp <= 0xFF)
      snprintf(szEscape, sizeof(szEscape), "\\x%02X", (unsigned)cp), strQuoted += szEscape;
    else
      snprintf(szEscape, sizeof(szEscape), "\\u%04X", (unsigned)cp), strQuoted += szEscape;
  }
  strQuoted += "\"";
  return true;
}

size_t Utf8Length(const std::string& strUtf8)
{
  size_t n = 0;
  for (unsigned char c : strUtf8)
    n += (c & 0xC0) != 0x80;
  return n;
}
