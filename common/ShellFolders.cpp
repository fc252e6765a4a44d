#include "common/ShellFolders.h"

#include "framework/os/RegKey.h"

#include <string.h>

bool ReadShellFolderValue(HKEY hRoot, const char* lpszValueName, REGSAM nAccess, char (&szValue)[SHELL_FOLDER_SIZE + 1])
{
  CRegKey key;
  return key.Open(hRoot, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", nAccess) ==
             ERROR_SUCCESS &&
         key.QueryText(lpszValueName, szValue, sizeof(szValue));
}

BOOL GetShellFolder(const char* lpszValueName, char* lpszFolder, HKEY hRoot)
{
  // Read into a buffer of our own: a value that does not fit must not leave
  // a half-written folder behind.
  char szValue[SHELL_FOLDER_SIZE + 1];
  if (!ReadShellFolderValue(hRoot, lpszValueName, KEY_ALL_ACCESS, szValue))
    return TRUE;
  const size_t nLength = strlen(szValue);
  if (nLength >= SHELL_FOLDER_SIZE || nLength == 0)
    return TRUE;
  memcpy(lpszFolder, szValue, nLength + 1);
  return FALSE;
}
