#include "uninstall/FolderList.h"

#include "common/UninstallData.h"
#include "common/InstallNames.h"
#include "framework/os/FileSystem.h"
#include "uninstall/UninstallLog.h"

#include <stdlib.h>
#include <string.h>

CFolderList::CFolderList() : m_pRows(NULL), m_nRows(0), m_nMaxDepth(0) {}

CFolderList::~CFolderList() { free(m_pRows); }

bool CFolderList::Contains(const char* lpszFolder) const
{
  for (int32_t i = 0; i < m_nRows; i++)
    if (strcmp(m_pRows[i].name, lpszFolder) == 0)
      return true;
  return false;
}

void CFolderList::Add(const char* lpszFolder)
{
  DirEntry* pRows = (DirEntry*)realloc(m_pRows, (m_nRows + 1) * sizeof(DirEntry));
  if (!pRows)
    return;  // out of memory: that folder stays
  m_pRows = pRows;
  DirEntry& row = m_pRows[m_nRows++];
  strcpy(row.name, lpszFolder);
  row.depth = 0;
  for (const char* p = lpszFolder + 1; *p; p++)
    if (*p == '\\')
      row.depth++;
  if (row.depth > m_nMaxDepth)
    m_nMaxDepth = row.depth;
}

void CFolderList::Build(const UninstallData& data)
{
  char szFolder[260];
  for (int32_t i = 0; i < data.m_nInstalled; i++) {
    const char* pszName = data.m_pInstalled[i];
    const char* pszSlash = strrchr(pszName, '\\');
    if (!pszSlash || !IsInsideInstallation(pszName))
      continue;
    size_t nLength = pszSlash - pszName;
    memcpy(szFolder, pszName, nLength);
    szFolder[nLength] = 0;
    if (!IsInsideInstallation(szFolder) || Contains(szFolder))
      continue;
    Add(szFolder);
  }
}

void CFolderList::RemoveFolders() const
{
  for (int32_t d = m_nMaxDepth; d >= 0; d--)
    for (int32_t i = 0; i < m_nRows; i++)
      if (m_pRows[i].depth == d && RemoveFolder(m_pRows[i].name))
        g_log.Write("removed folder", m_pRows[i].name);
}
