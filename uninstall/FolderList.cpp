#include "uninstall/FolderList.h"

#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "common/UninstallData.h"
#include "framework/os/FileSystem.h"
#include "framework/os/ObjectArray.h"
#include "uninstall/UninstallLog.h"

CFolderList::CFolderList() : m_pRows(NULL), m_nRows(0), m_nMaxDepth(0), m_nCapacity(0) {}

CFolderList::~CFolderList() { DeleteObjectArray(m_pRows, m_nRows); }

bool CFolderList::Contains(const char* lpszFolder) const
{
  for (int32_t i = 0; i < m_nRows; i++)
    if (m_pRows[i].name == lpszFolder)
      return true;
  return false;
}

void CFolderList::Add(const CString& strFolder)
{
  if (!MakeRoomByDoubling(m_pRows, m_nRows, m_nCapacity, 8))
    return;  // out of memory: that folder stays
  DirEntry& row = *new (&m_pRows[m_nRows++]) DirEntry();
  row.name = strFolder;
  row.depth = 0;
  for (const char* p = static_cast<const char*>(strFolder) + 1; *p; p++)
    if (*p == '\\')
      row.depth++;
  if (row.depth > m_nMaxDepth)
    m_nMaxDepth = row.depth;
}

void CFolderList::Build(const UninstallData& data)
{
  for (int32_t i = 0; i < data.m_nInstalled; i++) {
    const CString& strName = data.m_pInstalled[i];
    const int nSlash = strName.ReverseFind('\\');
    if (nSlash < 0 || !IsInsideInstallation(strName))
      continue;
    const CString strFolder = strName.Left(nSlash);
    if (!IsInsideInstallation(strFolder) || Contains(strFolder))
      continue;
    Add(strFolder);
  }
}

void CFolderList::RemoveFolders(const char* lpszRoot) const
{
  for (int32_t d = m_nMaxDepth; d >= 0; d--)
    for (int32_t i = 0; i < m_nRows; i++)
      if (m_pRows[i].depth == d && RemoveFolder(JoinPath(lpszRoot, m_pRows[i].name)))
        g_log.Write("removed folder", m_pRows[i].name);
}
