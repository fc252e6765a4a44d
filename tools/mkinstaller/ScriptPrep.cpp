#include "tools/mkinstaller/ScriptPrep.h"

#include <stdio.h>
#include <vector>

#include "framework/os/Unicode.h"
#include "setup/SetupData.h"
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

void CheckLine(const std::string& strWhere, const std::string& strLine)
{
  if (strLine.find('\0') != std::string::npos)
    Refuse(strWhere, "NUL byte in the script");
  if (!IsValidUtf8(strLine.data(), strLine.size()))
    Refuse(strWhere, "not valid UTF-8");
  char szMarker1[11], szMarker2[11];
  CSetupData::GetMarkers(szMarker1, szMarker2);
  if (strLine.find(szMarker1) != std::string::npos || strLine.find(szMarker2) != std::string::npos)
    Refuse(strWhere, "holds an overlay marker text, which would end the script early");
}
}  // namespace

std::string PrepareScript(const std::string& strPath, const std::string& strBytes)
{
  std::string strText = strBytes;
  if (strText.compare(0, 3, kScriptByteOrderMark) == 0)
    strText.erase(0, 3);
  std::vector<std::string> lines = SplitLines(strText);
  for (size_t i = 0; i < lines.size(); ++i)
    CheckLine(AtLine(strPath, (int)i + 1), lines[i]);
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
