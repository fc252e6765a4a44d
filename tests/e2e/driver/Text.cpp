#include "tests/e2e/driver/Text.h"

#include <windows.h>

static int HexValue(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

static std::wstring Widen(const std::string& strText, UINT nCodePage, DWORD dwFlags)
{
  if (strText.empty())
    return std::wstring();
  int nLength = MultiByteToWideChar(nCodePage, dwFlags, strText.data(), (int)strText.size(), nullptr, 0);
  if (nLength <= 0)
    return std::wstring();
  std::wstring strWide(nLength, L'\0');
  MultiByteToWideChar(nCodePage, dwFlags, strText.data(), (int)strText.size(), &strWide[0], nLength);
  return strWide;
}

std::wstring Utf8ToWide(const std::string& strText) { return Widen(strText, CP_UTF8, 0); }

std::string WideToUtf8(const std::wstring& strWide)
{
  if (strWide.empty())
    return std::string();
  int nLength = WideCharToMultiByte(CP_UTF8, 0, strWide.data(), (int)strWide.size(), nullptr, 0, nullptr, nullptr);
  std::string strText(nLength > 0 ? nLength : 0, '\0');
  if (nLength > 0)
    WideCharToMultiByte(CP_UTF8, 0, strWide.data(), (int)strWide.size(), &strText[0], nLength, nullptr, nullptr);
  return strText;
}

std::string DecodeEscapes(const std::string& strArg)
{
  std::string strOut;
  for (size_t i = 0; i < strArg.size(); ++i) {
    if (strArg[i] == '\\' && i + 3 < strArg.size() && strArg[i + 1] == 'x') {
      int nHigh = HexValue(strArg[i + 2]);
      int nLow = HexValue(strArg[i + 3]);
      if (nHigh >= 0 && nLow >= 0) {
        strOut += WideToUtf8(std::wstring(1, static_cast<wchar_t>(nHigh * 16 + nLow)));
        i += 3;
        continue;
      }
    }
    strOut += strArg[i];
  }
  return strOut;
}

std::string ScriptLineToUtf8(const std::string& strLine)
{
  if (strLine.empty() || !Widen(strLine, CP_UTF8, MB_ERR_INVALID_CHARS).empty())
    return strLine;
  return WideToUtf8(Widen(strLine, 1252, 0));
}

std::string EscapeControls(const std::string& strText)
{
  static const char szHex[] = "0123456789abcdef";
  std::string strOut;
  for (unsigned char c : strText) {
    if (c == '\n')
      strOut += "\\n";
    else if (c == '\r')
      strOut += "\\r";
    else if (c == '\t')
      strOut += "\\t";
    else if (c < 0x20 || c == 0x7f) {
      strOut += "\\x";
      strOut += szHex[c >> 4];
      strOut += szHex[c & 15];
    } else
      strOut += static_cast<char>(c);
  }
  return strOut;
}

bool SplitWords(const std::string& strLine, std::string* pWords, int nMax, int* pnCount)
{
  int nCount = 0;
  size_t i = 0;
  while (i < strLine.size()) {
    while (i < strLine.size() && (strLine[i] == ' ' || strLine[i] == '\t' || strLine[i] == '\r'))
      ++i;
    if (i >= strLine.size())
      break;
    if (nCount == nMax)
      return false;
    std::string strWord;
    if (strLine[i] == '"' || strLine[i] == '\'') {
      char cQuote = strLine[i++];
      size_t nEnd = strLine.find(cQuote, i);
      if (nEnd == std::string::npos)
        return false;
      strWord = strLine.substr(i, nEnd - i);
      i = nEnd + 1;
    } else {
      size_t nStart = i;
      while (i < strLine.size() && strLine[i] != ' ' && strLine[i] != '\t' && strLine[i] != '\r')
        ++i;
      strWord = strLine.substr(nStart, i - nStart);
    }
    pWords[nCount++] = strWord;
  }
  *pnCount = nCount;
  return true;
}
