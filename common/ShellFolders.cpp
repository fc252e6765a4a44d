#include "common/ShellFolders.h"

#include "common/InstallNames.h"
#include "framework/os/RegKey.h"

bool ReadShellFolderValue(HKEY hRoot, const char* lpszValueName, REGSAM nAccess, CString& strValue)
{
  CRegKey key;
  return key.Open(hRoot, CurrentVersionKey("Explorer\\Shell Folders"), nAccess) == ERROR_SUCCESS &&
         key.QueryText(lpszValueName, strValue);
}

BOOL GetShellFolder(const char* lpszValueName, CString& strFolder, HKEY hRoot)
{
  CString strValue;
  if (!ReadShellFolderValue(hRoot, lpszValueName, KEY_ALL_ACCESS, strValue))
    return TRUE;
  const int nLength = WideLength(strValue);
  if (nLength > kShellPathChars || nLength == 0)
    return TRUE;
  strFolder = strValue;
  return FALSE;
}
