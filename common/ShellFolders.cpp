#include "common/ShellFolders.h"

#include "framework/RegKey.h"

bool ReadShellFolderValue(HKEY hRoot, const char* lpszValueName, REGSAM nAccess, char (&szValue)[SHELL_FOLDER_SIZE + 1])
{
  CRegKey key;
  return key.Open(hRoot, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", nAccess) ==
             ERROR_SUCCESS &&
         key.QueryText(lpszValueName, szValue, sizeof(szValue));
}
