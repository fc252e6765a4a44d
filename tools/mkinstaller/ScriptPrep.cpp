#include "tools/mkinstaller/ScriptPrep.h"

#include <stdio.h>
#include <vector>

#include "setup/SetupData.h"
#include "tools/mkinstaller/CodePage.h"
#include "tools/mkinstaller/Diagnostics.h"

namespace {
// Lines end at CR LF, LF or a lone CR: editors on every platform write one of them.
std::vector<std::string> SplitLines(const std::string& strText)
{
  std::vector<std::string> lines;
  std::string strLine;
  for (size_t i = 0; i < strText.size(); ++i) {
    char c = strText[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(strLine);
      strLine.clear();
      if (c == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
        ++i;
    } else {
      strLine += c;
    }
  }
  if (!strLine.empty())
    lines.push_back(strLine);
  return lines;
}

std::string ConvertLine(const std::string& strWhere, const std::string& strLine)
{
  if (strLine.find('\0') != std::string::npos)
    Refuse(strWhere, "NUL byte in the script");
  std::string strAnsi;
  size_t nBad = 0;
  uint32_t nCodePoint = 0;
  if (!Utf8ToAnsi(strLine, strAnsi, nBad, nCodePoint)) {
    if (nCodePoint == 0)
      Refuse(strWhere, "not valid UTF-8 (byte " + std::to_string(nBad + 1) + " of the line)");
    char szCode[16];
    snprintf(szCode, sizeof(szCode), "U+%04X", (unsigned)nCodePoint);
    Refuse(strWhere,
           std::string("character ") + szCode + " cannot be written in Windows-1252, the code page setup reads");
  }
  char szMarker1[11], szMarker2[11];
  CSetupData::GetMarkers(szMarker1, szMarker2);
  if (strAnsi.find(szMarker1) != std::string::npos || strAnsi.find(szMarker2) != std::string::npos)
    Refuse(strWhere, "holds an overlay marker text, which would end the script early");
  return strAnsi;
}
}  // namespace

std::string PrepareScript(const std::string& strPath, const std::string& strBytes)
{
  std::string strText = strBytes;
  if (strText.compare(0, 3, "\xEF\xBB\xBF") == 0)
    strText.erase(0, 3);
  std::vector<std::string> lines = SplitLines(strText);
  for (size_t i = 0; i < lines.size(); ++i)
    lines[i] = ConvertLine(AtLine(strPath, (int)i + 1), lines[i]);
  // Blank lines at the very end are an editor's, not list entries.
  while (!lines.empty() && lines.back().empty())
    lines.pop_back();
  if (lines.empty() || lines.back() != "#end")
    lines.push_back("#end");
  std::string strScript;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i)
      strScript += "\r\n";
    strScript += lines[i];
  }
  return strScript;
}
