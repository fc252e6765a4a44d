#include "common/JoinPath.h"

#include <string.h>

bool JoinPath(char* pszOut, size_t nOutSize, const char* pszFolder, const char* pszName)
{
  const size_t nFolder = strlen(pszFolder);
  const size_t nName = strlen(pszName);
  if (nFolder + 1 + nName >= nOutSize) {
    pszOut[0] = '\0';
    return false;
  }
  memcpy(pszOut, pszFolder, nFolder);
  pszOut[nFolder] = '\\';
  memcpy(pszOut + nFolder + 1, pszName, nName + 1);
  return true;
}
