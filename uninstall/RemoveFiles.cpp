// The uninstaller's removals: installed files, generated files and folder
// trees, the data file and the shortcuts. Failures are ignored: whatever
// can't go stays. Paths are whole (the installation folder and the
// recorded name), so that names of any length go; the log names them as
// recorded.
#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "framework/os/FolderScan.h"
#include "uninstall/UninstallLog.h"

namespace {

// Each removal that succeeds is logged, under lpszName.
void RemoveLoggedFile(const char* lpszPath, const char* lpszName)
{
  if (RemoveFile(lpszPath))
    g_log.Write("removed", lpszName);
}

// A file the installation put there, also one it made read-only (the
// archive's attribute): refused, the attribute goes, and comes back when the
// file stays all the same. Links keep theirs: those may be their target's.
void RemoveInstalledFile(const char* lpszPath, const char* lpszName)
{
  bool bRemoved = RemoveFile(lpszPath);
  if (!bRemoved) {
    const uint32_t nAttributes = GetPathAttributes(lpszPath);
    if ((nAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ==
            FILE_ATTRIBUTE_READONLY &&
        SetPathAttributes(lpszPath, nAttributes & ~FILE_ATTRIBUTE_READONLY) && !(bRemoved = RemoveFile(lpszPath)))
      SetPathAttributes(lpszPath, nAttributes);
  }
  if (bRemoved)
    g_log.Write("removed", lpszName);
}

void RemoveLoggedFolder(const char* lpszPath, const char* lpszName)
{
  if (RemoveFolder(lpszPath))
    g_log.Write("removed folder", lpszName);
}

bool IsLink(unsigned nAttributes) { return (nAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// A junction or symbolic link goes itself; what it points to is not ours.
void RemoveLink(const char* lpszPath, const char* lpszName, unsigned nAttributes)
{
  if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveLoggedFolder(lpszPath, lpszName);
  else
    RemoveLoggedFile(lpszPath, lpszName);
}

}  // namespace

void UninstallData::RemoveTree(const char* lpszPath, const char* lpszName)
{
  CFolderScan scan;
  if (scan.First(JoinPath(lpszPath, "*.*"))) {
    do {
      // Only the folder itself and its parent: the application's dot-files go.
      if (scan.IsDotEntry())
        continue;
      const CString strEntry = scan.Name();
      const CString strPath = JoinPath(lpszPath, strEntry);
      const CString strName = JoinPath(lpszName, strEntry);
      if (IsLink(scan.Attributes()))
        RemoveLink(strPath, strName, scan.Attributes());
      else if (scan.IsFolder())
        RemoveTree(strPath, strName);
      else
        RemoveInstalledFile(strPath, strName);
    } while (scan.Next());
  }
  scan.Close();
  RemoveLoggedFolder(lpszPath, lpszName);
}

void UninstallData::RemovePath(const char* lpszRoot, const char* lpszName)
{
  const CString strPath = JoinPath(lpszRoot, lpszName);
  const uint32_t nAttributes = GetPathAttributes(strPath);
  if (nAttributes == kNoAttributes)
    return;
  if (IsLink(nAttributes))
    RemoveLink(strPath, lpszName, nAttributes);
  else if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveTree(strPath, lpszName);
  else
    RemoveInstalledFile(strPath, lpszName);
}

void UninstallData::RemoveAll(const char* lpszRoot)
{
  for (int32_t i = 0; i < m_nInstalled; i++)
    if (IsInsideInstallation(m_pInstalled[i]))
      RemoveInstalledFile(JoinPath(lpszRoot, m_pInstalled[i]), m_pInstalled[i]);
  for (int32_t i = 0; i < m_nGenerated; i++)
    if (IsInsideInstallation(m_pGenerated[i]))
      RemovePath(lpszRoot, m_pGenerated[i]);
  RemoveLoggedFile(JoinPath(lpszRoot, "uninstall.dat"), "uninstall.dat");
  RemoveShortcuts();
}
