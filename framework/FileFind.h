// CFileFind: enumerates the files that match a name or a wildcard pattern
// (* and ? in the last component).
#pragma once
#include "framework/String.h"

class CFileFind
{
public:
  CFileFind();
  ~CFileFind();

  BOOL FindFile(const char* pstrName = NULL);
  // Steps to the next match; returns FALSE when the match it steps to is the last.
  BOOL FindNextFile();
  void Close();

  CString GetFileName() const;
  BOOL IsDirectory() const;

private:
  struct Impl;
  Impl* m_pImpl;
};
