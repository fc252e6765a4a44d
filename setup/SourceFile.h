// CSourceFile: the installer file that setup reads its archive from, open
// for the whole run. Others may read it but not write it while setup runs.
// An installer is one file: the archive reader, which opens it as such,
// refuses a switch to another volume (a file of another name beside it)
// without closing it, and an open by another name fails here as well, so
// a damaged record cannot make setup read a neighbouring file.
#pragma once
#include "framework/afx.h"

class CSourceFile : public CFile
{
public:
  // Opens the installer for reading, shared for reading only.
  BOOL OpenSource(const char* lpszPath);
  // Every other open, the reader's volume switch among them, fails.
  BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
};
