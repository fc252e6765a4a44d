// The uninstaller's removals: installed files, generated files and folder
// trees, the data file and the shortcuts. Failures are ignored: whatever
// can't go stays.
#include "common/UninstallData.h"
#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "framework/os/FileSystem.h"
#include "framework/os/FolderScan.h"
#include "uninstall/UninstallLog.h"

#include <string.h>

namespace {

// Each removal that succeeds is logged.
void RemoveLoggedFile(const char* lpszPath)
{
  if (RemoveFile(lpszPath))
    g_log.Write("removed", lpszPath);
}

void RemoveLoggedFolder(const char* lpszPath)
{
  if (RemoveFolder(lpszPath))
    g_log.Write("removed folder", lpszPath);
}

bool IsLink(unsigned nAttributes) { return (nAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// A junction or symbolic link goes itself; what it points to is not ours.
void RemoveLink(const char* lpszPath, unsigned nAttributes)
{
  if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveLoggedFolder(lpszPath);
  else
    RemoveLoggedFile(lpszPath);
}

}  // namespace

void UninstallData::RemoveAll()
{
  for (int32_t i = 0; i < m_nInstalled; i++)
    if (IsInsideInstallation(m_pInstalled[i]))
      RemoveLoggedFile(m_pInstalled[i]);
  for (int32_t i = 0; i < m_nGenerated; i++)
    if (IsInsideInstallation(m_pGenerated[i]))
      RemovePath(m_pGenerated[i]);
  RemoveLoggedFile("uninstall.dat");
  RemoveShortcuts();
}

void UninstallData::RemovePath(const char* lpszName)
{
  const uint32_t nAttributes = GetPathAttributes(lpszName);
  if (nAttributes == kNoAttributes)
    return;
  if (IsLink(nAttributes))
    RemoveLink(lpszName, nAttributes);
  else if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveTree(lpszName);
  else
    RemoveLoggedFile(lpszName);
}

void UninstallData::RemoveTree(const char* lpszFolder)
{
  char szPath[MAX_PATH];
  CFolderScan scan;
  if (JoinPath(szPath, sizeof(szPath), lpszFolder, "*.*") && scan.First(szPath)) {
    do {
      // ".", ".." and every other name with a leading full stop stay.
      if (scan.Name()[0] == '.' || !JoinPath(szPath, sizeof(szPath), lpszFolder, scan.Name()))
        continue;
      if (IsLink(scan.Attributes()))
        RemoveLink(szPath, scan.Attributes());
      else if (scan.IsFolder())
        RemoveTree(szPath);
      else
        RemoveLoggedFile(szPath);
    } while (scan.Next());
  }
  scan.Close();
  RemoveLoggedFolder(lpszFolder);
}
