#include "setup/install/JournalText.h"

#include <stdlib.h>
#include <string.h>

#include "framework/os/ObjectArray.h"

namespace {

const char kHexDigits[] = "0123456789abcdef";

int HexValue(char c)
{
  const char* p = c != '\0' ? strchr(kHexDigits, c) : NULL;
  return p != NULL ? static_cast<int>(p - kHexDigits) : -1;
}

CString UnescapeField(const char* p, const char* pEnd)
{
  CString strField;
  for (; p < pEnd; ++p) {
    if (*p == '%' && pEnd - p >= 3 && HexValue(p[1]) >= 0 && HexValue(p[2]) >= 0) {
      strField += static_cast<char>(HexValue(p[1]) * 16 + HexValue(p[2]));
      p += 2;
    } else {
      strField += *p;
    }
  }
  return strField;
}

}  // namespace

CString EscapeJournalField(const char* lpszField)
{
  CString strField;
  for (const char* p = lpszField; *p != '\0'; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == '%') {
      strField += '%';
      strField += kHexDigits[c >> 4];
      strField += kHexDigits[c & 15];
    } else {
      strField += *p;
    }
  }
  return strField;
}

CString HexText(const uint8_t* pData, size_t nBytes)
{
  CString strHex;
  char* pOut = strHex.GetBuffer(static_cast<int>(nBytes * 2));
  for (size_t i = 0; i < nBytes; ++i) {
    pOut[2 * i] = kHexDigits[pData[i] >> 4];
    pOut[2 * i + 1] = kHexDigits[pData[i] & 15];
  }
  strHex.ReleaseBuffer(static_cast<int>(nBytes * 2));
  return strHex;
}

bool BytesFromHex(const char* lpszHex, uint8_t*& pData, size_t& nBytes)
{
  const size_t nDigits = strlen(lpszHex);
  pData = NULL;
  nBytes = nDigits / 2;
  if (nDigits % 2 != 0 || (pData = static_cast<uint8_t*>(malloc(nBytes + 1))) == NULL)
    return false;
  for (size_t i = 0; i < nBytes; ++i) {
    const int nHigh = HexValue(lpszHex[2 * i]), nLow = HexValue(lpszHex[2 * i + 1]);
    if (nHigh < 0 || nLow < 0) {
      free(pData);
      pData = NULL;
      return false;
    }
    pData[i] = static_cast<uint8_t>(nHigh * 16 + nLow);
  }
  return true;
}

bool IsBelow(const char* lpszPath, const char* lpszFolder)
{
  const size_t nFolder = strlen(lpszFolder);
  return nFolder > 0 && strncmp(lpszPath, lpszFolder, nFolder) == 0 && lpszPath[nFolder] == '\\' &&
         lpszPath[nFolder + 1] != '\0';
}

int32_t ParseJournal(const char* pText, size_t nLength, JournalRecord*& pRecords)
{
  pRecords = NULL;
  int32_t nCount = 0, nCapacity = 0;
  const char* const pEnd = pText + nLength;
  for (const char* p = pText; p < pEnd;) {
    const char* pBreak = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(pEnd - p)));
    if (pBreak == NULL)
      break;  // cut off
    const char* pLineEnd = pBreak > p && pBreak[-1] == '\r' ? pBreak - 1 : pBreak;
    if (!MakeRoomByDoubling(pRecords, nCount, nCapacity, 64)) {
      DeleteObjectArray(pRecords, nCount);
      return -1;
    }
    JournalRecord& record = *new (&pRecords[nCount++]) JournalRecord();
    record.nFields = 0;
    const char* pField = static_cast<const char*>(memchr(p, '\t', static_cast<size_t>(pLineEnd - p)));
    record.strTag = CString(p, static_cast<int>((pField != NULL ? pField : pLineEnd) - p));
    while (pField != NULL && record.nFields < JournalRecord::kMaxFields) {
      const char* pStart = pField + 1;
      pField = static_cast<const char*>(memchr(pStart, '\t', static_cast<size_t>(pLineEnd - pStart)));
      record.fields[record.nFields++] = UnescapeField(pStart, pField != NULL ? pField : pLineEnd);
    }
    p = pBreak + 1;
  }
  return nCount;
}
