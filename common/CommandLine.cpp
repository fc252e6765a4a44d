#include "common/CommandLine.h"

#include <string.h>

#include "framework/os/Unicode.h"

namespace {

struct OptionName
{
  const char* pszName;  // upper case; a trailing '=' takes a value
  unsigned nBit;
};

const OptionName kOptions[] = {
    {"S", OPT_SILENT},          {"ALLUSERS", OPT_ALLUSERS}, {"CURRENTUSER", OPT_CURRENTUSER},
    {"GROUP=", OPT_GROUP},      {"LOG=", OPT_LOG},          {"ALLOWDOWNGRADE", OPT_ALLOWDOWNGRADE},
    {"ELEVATED", OPT_ELEVATED},
};

// The part of a word that an error message quotes.
const size_t kQuoted = 64;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// ASCII only: option names are ASCII, and the code page must not matter.
char Upper(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }

// Whether pszWord begins with the upper-case pszName, in any case.
bool StartsWithName(const char* pszWord, const char* pszName)
{
  for (; *pszName; ++pszName, ++pszWord)
    if (Upper(*pszWord) != *pszName)
      return false;
  return true;
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Appends as much of pszText (at most nMax bytes) as fits, never half a
// character: the message stays UTF-8.
void Append(char (&szOut)[CMDLINE_ERROR_SIZE], const char* pszText, size_t nMax = (size_t)-1)
{
  size_t nLength = strlen(szOut);
  for (; *pszText && nMax > 0 && nLength + 1 < sizeof(szOut); --nMax)
    szOut[nLength++] = *pszText++;
  // Cut inside a character: its bytes go back to its first.
  if (IsContinuation(*pszText)) {
    while (nLength > 0 && IsContinuation(szOut[nLength - 1]))
      --nLength;
    if (nLength > 0)
      --nLength;
  }
  szOut[nLength] = 0;
}

class CParser
{
public:
  CParser(unsigned nKnown, CommandLine& line) : m_nKnown(nKnown), m_line(line) {}

  void Word(const char* pszWord);
  void Dest(const char* pszRest);
  void Fail(const char* pszBefore, const char* pszWord, const char* pszAfter = "");

private:
  void SetValue(CString& strValue, const char* pszValue, const char* pszName);
  bool Note(unsigned nBit, const char* pszName);

  unsigned m_nKnown;
  CommandLine& m_line;
};

// Only the first error is kept; the parse goes on to find /S and /LOG=.
void CParser::Fail(const char* pszBefore, const char* pszWord, const char* pszAfter)
{
  if (m_line.szError[0])
    return;
  Append(m_line.szError, pszBefore);
  Append(m_line.szError, pszWord, kQuoted);
  if (strlen(pszWord) > kQuoted)
    Append(m_line.szError, "...");
  Append(m_line.szError, pszAfter);
}

bool CParser::Note(unsigned nBit, const char* pszName)
{
  if (m_line.nGiven & nBit) {
    Fail("option given twice: /", pszName);
    return false;
  }
  m_line.nGiven |= nBit;
  return true;
}

void CParser::SetValue(CString& strValue, const char* pszValue, const char* pszName)
{
  if (pszValue[0] == '\0')
    Fail("/", pszName, " needs a value");
  else if (WideLength(pszValue) > CMDLINE_VALUE_CHARS)
    Fail("the value of /", pszName, " is longer than 259 characters");
  else
    strValue = pszValue;
}

void CParser::Word(const char* pszWord)
{
  if (pszWord[0] != '/') {
    Fail("not an option: ", pszWord);
    return;
  }
  for (const OptionName& option : kOptions) {
    const char* pszName = option.pszName;
    size_t nName = strlen(pszName);
    bool bTakesValue = pszName[nName - 1] == '=';
    if (!(m_nKnown & option.nBit) || !StartsWithName(pszWord + 1, pszName) || (!bTakesValue && pszWord[1 + nName] != 0))
      continue;
    if (!Note(option.nBit, pszName) || !bTakesValue)
      return;
    SetValue(option.nBit == OPT_GROUP ? m_line.strGroup : m_line.strLog, pszWord + 1 + nName, pszName);
    return;
  }
  Fail("unknown option: ", pszWord);
}

// The rest of the line is the path: blanks stay, quotes go (a path holds
// none), and so do trailing blanks, which Windows drops from names.
void CParser::Dest(const char* pszRest)
{
  if (!Note(OPT_DEST, "D="))
    return;
  CString strPath;
  for (const char* p = pszRest; *p; ++p)
    if (*p != '"')
      strPath += *p;
  int nLength = strPath.GetLength();
  while (nLength > 0 && IsBlank(strPath[nLength - 1]))
    --nLength;
  SetValue(m_line.strDest, strPath.Left(nLength), "D=");
}

}  // namespace

bool ParseCommandLine(const char* lpszArgs, unsigned nKnown, CommandLine& line)
{
  line.nGiven = 0;
  line.strGroup.Empty();
  line.strLog.Empty();
  line.strDest.Empty();
  line.szError[0] = 0;
  CParser parser(nKnown, line);
  const char* p = lpszArgs ? lpszArgs : "";
  for (;;) {
    while (IsBlank(*p))
      ++p;
    if (!*p)
      break;
    const char* pszOption = *p == '"' ? p + 1 : p;
    if ((nKnown & OPT_DEST) && StartsWithName(pszOption, "/D=")) {
      parser.Dest(pszOption + 3);
      break;
    }
    // One word: up to a blank outside quotes; the quotes are dropped.
    CString strWord;
    bool bQuoted = false;
    for (; *p && (bQuoted || !IsBlank(*p)); ++p) {
      if (*p == '"')
        bQuoted = !bQuoted;
      else
        strWord += *p;
    }
    parser.Word(strWord);
  }
  if ((line.nGiven & OPT_ALLUSERS) && (line.nGiven & OPT_CURRENTUSER))
    parser.Fail("/ALLUSERS and /CURRENTUSER", "", " exclude each other");
  return line.szError[0] == 0;
}
