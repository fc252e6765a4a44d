// The script's descriptive keys: #Version, #Publisher, #URL, #Icon and
// #Scope. setup does not read them; the tool checks their values when it
// builds and writes them into package manifests. A key's value is the line
// after the key's line, found as setup finds its keys.
#pragma once
#include <string>

extern const char* const kMetadataKeys[5];

// The values in UTF-8; empty where the script lacks the key (or its line).
struct CScriptMetadata
{
  std::string m_strVersion, m_strPublisher, m_strUrl, m_strIcon, m_strScope;
};

// pszScript: the script as setup holds it (UTF-8).
CScriptMetadata ReadScriptMetadata(const char* pszScript);

// Why a key's value is not acceptable ("" when it is). strValue is the line.
std::string MetadataValueProblem(const std::string& strKey, const std::string& strValue);
// #Icon: "file" or "file,index" (the text after the last comma an integer).
std::string IconFile(const std::string& strValue);
