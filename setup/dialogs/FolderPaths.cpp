#include "setup/dialogs/FolderPaths.h"
#include "framework/Platform.h"
#include "framework/String.h"

void CopyCut(char* pszOut, size_t nOutSize, const char* pszText) { FormatTo(pszOut, nOutSize, "%s", pszText); }

PathKind ExaminePath(const char* pszPath)
{
  // A wildcard would let the search report some other entry.
  if (strpbrk(pszPath, "*?") != NULL)
    return kPathUnknown;
  struct _finddata_t data;
  const intptr_t hFind = _findfirst(pszPath, &data);
  if (hFind != -1) {
    _findclose(hFind);
    return (data.attrib & _A_SUBDIR) != 0 ? kPathDirectory : kPathFile;
  }
  const DWORD nAttributes = ::GetFileAttributesA(pszPath);
  if (nAttributes == INVALID_FILE_ATTRIBUTES)
    return kPathUnknown;
  return (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? kPathDirectory : kPathFile;
}

void CreateParentFolders(const char* pszPath)
{
  char szParent[kMaxPathChars + 1];
  for (const char* pSeparator = strchr(pszPath, '\\'); pSeparator != NULL && pSeparator[1] != '\0';
       pSeparator = strchr(pSeparator + 1, '\\')) {
    const size_t nLength = static_cast<size_t>(pSeparator - pszPath);
    if (nLength >= sizeof(szParent))
      return;
    memcpy(szParent, pszPath, nLength);
    szParent[nLength] = '\0';
    _mkdir(szParent);
  }
}
