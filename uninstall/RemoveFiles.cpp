// The uninstaller's removals: installed files, generated files and folder
// trees, the data file and the shortcuts. Failures are ignored: whatever
// can't go stays.
#include "common/UninstallData.h"
#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "uninstall/UninstallLog.h"

#include <windows.h>
#include <direct.h>
#include <io.h>
#include <stdio.h>
#include <string.h>

namespace {

// remove() and _rmdir(), each success logged.
void RemoveFile(const char* lpszPath)
{
  if (remove(lpszPath) == 0)
    g_log.Write("removed", lpszPath);
}

void RemoveFolder(const char* lpszPath)
{
  if (_rmdir(lpszPath) == 0)
    g_log.Write("removed folder", lpszPath);
}

bool IsLink(unsigned nAttributes) { return (nAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// A junction or symbolic link goes itself; what it points to is not ours.
void RemoveLink(const char* lpszPath, unsigned nAttributes)
{
  if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveFolder(lpszPath);
  else
    RemoveFile(lpszPath);
}

}  // namespace

void UninstallData::RemoveAll()
{
  for (int32_t i = 0; i < m_nInstalled; i++)
    if (IsInsideInstallation(m_pInstalled[i]))
      RemoveFile(m_pInstalled[i]);
  for (int32_t i = 0; i < m_nGenerated; i++)
    if (IsInsideInstallation(m_pGenerated[i]))
      RemovePath(m_pGenerated[i]);
  RemoveFile("uninstall.dat");
  RemoveShortcuts();
}

void UninstallData::RemovePath(const char* lpszName)
{
  DWORD nAttributes = GetFileAttributesA(lpszName);
  if (nAttributes == INVALID_FILE_ATTRIBUTES)
    return;
  if (IsLink(nAttributes))
    RemoveLink(lpszName, nAttributes);
  else if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveTree(lpszName);
  else
    RemoveFile(lpszName);
}

void UninstallData::RemoveTree(const char* lpszFolder)
{
  char szPath[MAX_PATH];
  if (JoinPath(szPath, sizeof(szPath), lpszFolder, "*.*")) {
    struct _finddata_t entry;
    intptr_t hFind = _findfirst(szPath, &entry);
    if (hFind != -1) {
      do {
        // ".", ".." and every other name with a leading full stop stay.
        if (entry.name[0] == '.' || !JoinPath(szPath, sizeof(szPath), lpszFolder, entry.name))
          continue;
        if (IsLink(entry.attrib))
          RemoveLink(szPath, entry.attrib);
        else if (entry.attrib & _A_SUBDIR)
          RemoveTree(szPath);
        else
          RemoveFile(szPath);
      } while (_findnext(hFind, &entry) == 0);
      _findclose(hFind);
    }
  }
  RemoveFolder(lpszFolder);
}
