#include "tools/mkinstaller/Diagnostics.h"

#include <stdio.h>

std::string AtLine(const std::string& strFile, int nLine) { return strFile + ":" + std::to_string(nLine); }

void Refuse(const std::string& strWhere, const std::string& strWhat) { throw CRefusal(strWhere + ": " + strWhat); }

void Warn(const std::string& strWhere, const std::string& strWhat)
{
  fprintf(stderr, "mkinstaller: warning: %s: %s\n", strWhere.c_str(), strWhat.c_str());
}

void PrintError(const std::string& strMessage) { fprintf(stderr, "mkinstaller: %s\n", strMessage.c_str()); }
