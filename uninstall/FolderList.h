// The folders that directly hold an installed entry, removed deepest first
// once the installed files are gone.
#pragma once
#include <stdint.h>

#include "framework/String.h"

class UninstallData;

struct DirEntry
{
  CString name;   // relative to the install directory, no trailing backslash
  int32_t depth;  // its backslashes, one in the very first position not counted
};

class CFolderList
{
public:
  CFolderList();
  ~CFolderList();
  CFolderList(const CFolderList&) = delete;
  CFolderList& operator=(const CFolderList&) = delete;

  // One row per distinct folder of the installed names, in their order.
  void Build(const UninstallData& data);
  // Removes every row's folder below lpszRoot, the deepest first, rows of
  // one depth in list order; folders that still hold something stay.
  void RemoveFolders(const char* lpszRoot) const;

  DirEntry* m_pRows;
  int32_t m_nRows;
  int32_t m_nMaxDepth;

private:
  bool Contains(const char* lpszFolder) const;
  void Add(const CString& strFolder);

  int32_t m_nCapacity;
};
