#include "tools/mkinstaller/MetadataKeys.h"

#include <string.h>

#include "setup/ScriptText.h"

const char* const kMetadataKeys[5] = {"#Version", "#Publisher", "#URL", "#Icon", "#Scope"};

namespace {
bool IsDigits(const std::string& str, size_t nFrom)
{
  return str.size() > nFrom && str.find_first_not_of("0123456789", nFrom) == std::string::npos;
}

// Dotted numbers as Windows' version fields hold them: 1 to 4 parts of 0..65535.
std::string VersionProblem(const std::string& strValue)
{
  size_t nParts = 0, nStart = 0;
  for (;;) {
    size_t nEnd = strValue.find('.', nStart);
    std::string strPart = strValue.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
    ++nParts;
    if (!IsDigits(strPart, 0) || strPart.size() > 5 || std::stoul(strPart) > 65535)
      return "version \"" + strValue + "\" is not 1 to 4 dotted numbers from 0 to 65535";
    if (nEnd == std::string::npos)
      break;
    nStart = nEnd + 1;
  }
  if (nParts > 4)
    return "version \"" + strValue + "\" has more than 4 parts";
  return std::string();
}

std::string UrlProblem(const std::string& strValue)
{
  size_t nScheme = strncasecmp(strValue.c_str(), "https://", 8) == 0  ? 8
                   : strncasecmp(strValue.c_str(), "http://", 7) == 0 ? 7
                                                                      : 0;
  if (nScheme == 0 || strValue.size() == nScheme)
    return "URL \"" + strValue + "\" does not start with http:// or https:// and a host";
  for (unsigned char c : strValue)
    if (c <= ' ' || c == 0x7F)
      return "URL \"" + strValue + "\" has a blank or a control character";
  return std::string();
}

std::string IconProblem(const std::string& strValue)
{
  size_t nComma = strValue.rfind(',');
  if (nComma != std::string::npos) {
    std::string strIndex = strValue.substr(nComma + 1);
    if (!IsDigits(strIndex, strIndex.compare(0, 1, "-") == 0 ? 1 : 0) || strIndex.size() > 6)
      return "icon index \"" + strIndex + "\" is not an integer (a file name with a comma takes an index: \"" +
             strValue + ",0\")";
  }
  if (IconFile(strValue).empty())
    return "icon without a file name";
  return std::string();
}
}  // namespace

std::string IconFile(const std::string& strValue)
{
  size_t nComma = strValue.rfind(',');
  return nComma == std::string::npos ? strValue : strValue.substr(0, nComma);
}

std::string MetadataValueProblem(const std::string& strKey, const std::string& strValue)
{
  if (strKey == "#Version")
    return VersionProblem(strValue);
  if (strKey == "#URL")
    return UrlProblem(strValue);
  if (strKey == "#Icon")
    return IconProblem(strValue);
  if (strKey == "#Scope" && strValue != "user" && strValue != "machine")
    return "scope \"" + strValue + "\" is neither user nor machine";
  if (strKey == "#Publisher" && strValue.find_first_not_of(' ') == std::string::npos)
    return "empty publisher";
  return std::string();
}

CScriptMetadata ReadScriptMetadata(const char* pszScript)
{
  CScriptText script(pszScript);
  // A key line where the value belongs means the value is missing.
  auto Read = [&](const char* pszKey) {
    CString strValue;
    if (script.ReadKeyLine(pszKey, strValue) == NULL || strValue.GetAt(0) == '#')
      return std::string();
    return std::string(strValue, (size_t)strValue.GetLength());
  };
  CScriptMetadata metadata;
  metadata.m_strVersion = Read("#Version");
  metadata.m_strPublisher = Read("#Publisher");
  metadata.m_strUrl = Read("#URL");
  metadata.m_strIcon = Read("#Icon");
  metadata.m_strScope = Read("#Scope");
  return metadata;
}
