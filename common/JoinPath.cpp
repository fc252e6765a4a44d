#include "common/JoinPath.h"

CString JoinPath(const char* lpszFolder, const char* lpszName)
{
  CString strPath(lpszFolder);
  strPath += '\\';
  strPath += lpszName;
  return strPath;
}
