// How the tool speaks: every message on stderr, prefixed "mkinstaller: ",
// naming the file (and line) it is about. A refusal ends the command.
#pragma once
#include <stdexcept>
#include <string>

class CRefusal : public std::runtime_error
{
public:
  explicit CRefusal(const std::string& strMessage) : std::runtime_error(strMessage) {}
};

// "file:line" for a line of a file.
std::string AtLine(const std::string& strFile, int nLine);
[[noreturn]] void Refuse(const std::string& strWhere, const std::string& strWhat);
void Warn(const std::string& strWhere, const std::string& strWhat);
void PrintError(const std::string& strMessage);
