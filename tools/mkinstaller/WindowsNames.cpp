#include "tools/mkinstaller/WindowsNames.h"

#include <locale.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <wctype.h>

#include "tools/mkinstaller/Diagnostics.h"

namespace {
const size_t kMaxComponentUnits = 255;
// Windows' paths reach 32767 units; this leaves room for the destination.
const size_t kMaxNameUnits = 32000;
const size_t kMaxNameBytes = 0xFFFF;  // the archive's 16-bit name length

uint32_t NextCodePoint(const std::string& s, size_t& i)
{
  const unsigned char c = (unsigned char)s[i++];
  if (c < 0x80)
    return c;
  int nMore = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
  uint32_t n = c & (0x3F >> nMore);
  for (; nMore > 0 && i < s.size(); --nMore)
    n = n << 6 | ((unsigned char)s[i++] & 0x3F);
  return n;
}

void AppendUtf8(std::string& s, uint32_t n)
{
  if (n < 0x80) {
    s += (char)n;
    return;
  }
  char buf[4];
  int nBytes = n < 0x800 ? 2 : n < 0x10000 ? 3 : 4;
  for (int i = nBytes - 1; i > 0; --i, n >>= 6)
    buf[i] = (char)(0x80 | (n & 0x3F));
  buf[0] = (char)((0xF00 >> nBytes) | n);
  s.append(buf, (size_t)nBytes);
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, in any case, also with
// an extension ("nul.txt"): Windows opens the device instead. It takes the
// superscripts one to three for digits too.
std::string DeviceName(const std::string& strComponent)
{
  std::string strBase = strComponent.substr(0, strComponent.find('.'));
  for (char& c : strBase)
    if (c >= 'a' && c <= 'z')
      c = (char)(c - 'a' + 'A');
  for (const char* pszDevice : {"CON", "PRN", "AUX", "NUL"})
    if (strBase == pszDevice)
      return strBase;
  if (strBase.compare(0, 3, "COM") != 0 && strBase.compare(0, 3, "LPT") != 0)
    return std::string();
  const std::string strNumber = strBase.substr(3);
  if ((strNumber.size() == 1 && strNumber[0] >= '1' && strNumber[0] <= '9') || strNumber == "\xC2\xB9" ||
      strNumber == "\xC2\xB2" || strNumber == "\xC2\xB3")
    return strBase;
  return std::string();
}
}  // namespace

std::string ComponentProblem(const std::string& strComponent)
{
  for (unsigned char c : strComponent) {
    if (c < 0x20) {
      char szCode[8];
      snprintf(szCode, sizeof(szCode), "U+%04X", c);
      return std::string("name has the control character ") + szCode + ", which Windows does not allow in file names";
    }
    if (strchr("\\<>:\"|?*", c) != NULL)
      return std::string("name has the character '") + (char)c + "', which Windows does not allow in file names";
  }
  const std::string strDevice = DeviceName(strComponent);
  if (!strDevice.empty())
    return "name is the device " + strDevice + " to Windows, which no file or folder can be";
  if (!strComponent.empty() && (strComponent.back() == '.' || strComponent.back() == ' '))
    return "name ends in a dot or a blank, which Windows drops from file names";
  if (Utf16Length(strComponent) > kMaxComponentUnits)
    return "name longer than " + std::to_string(kMaxComponentUnits) +
           " UTF-16 units, the most Windows takes for a file or folder name";
  return std::string();
}

std::string NameLengthProblem(const std::string& strName)
{
  if (Utf16Length(strName) > kMaxNameUnits)
    return "entry name longer than " + std::to_string(kMaxNameUnits) + " UTF-16 units, more than Windows' paths hold";
  if (strName.size() > kMaxNameBytes)
    return "entry name longer than " + std::to_string(kMaxNameBytes) + " bytes, the most the archive can record";
  return std::string();
}

size_t Utf16Length(const std::string& strUtf8)
{
  size_t nUnits = 0;
  for (unsigned char c : strUtf8) {
    if ((c & 0xC0) != 0x80)
      ++nUnits;
    if (c >= 0xF0)
      ++nUnits;  // a surrogate pair
  }
  return nUnits;
}

std::string CaseKey(const std::string& strUtf8)
{
  // The tool's own locale stays "C"; the case mappings come from C.UTF-8.
  static const locale_t s_utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", (locale_t)0);
  if (s_utf8 == (locale_t)0)
    throw CRefusal("the locale C.UTF-8 is missing: names cannot be compared as Windows compares them");
  std::string strKey;
  for (size_t i = 0; i < strUtf8.size();)
    AppendUtf8(strKey, (uint32_t)towlower_l(towupper_l((wint_t)NextCodePoint(strUtf8, i), s_utf8), s_utf8));
  return strKey;
}
