#include "setup/decisions/FolderPaths.h"
#include "framework/Platform.h"
#include "framework/String.h"
#include "framework/os/FileSystem.h"

PathKind ExaminePath(const char* pszPath)
{
  // A wildcard would let the system look at some other entry.
  if (strpbrk(pszPath, "*?") != NULL)
    return kPathUnknown;
  const uint32_t nAttributes = GetPathAttributes(pszPath);
  if (nAttributes == kNoAttributes)
    return kPathUnknown;
  return (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? kPathDirectory : kPathFile;
}

void CreateParentFolders(const char* pszPath, int nSkip)
{
  for (const char* pSeparator = strchr(pszPath + nSkip, '\\'); pSeparator != NULL && pSeparator[1] != '\0';
       pSeparator = strchr(pSeparator + 1, '\\'))
    MakeFolder(CString(pszPath, static_cast<int>(pSeparator - pszPath)));
}
