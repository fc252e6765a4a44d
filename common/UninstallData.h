// Failure convention of what setup and the uninstaller share (common/): the
// record's Read and ReadString return 0 on success and 1 on failure, as its
// format's first readers did, and GetShellFolder TRUE when it fails; every
// other call returns true when it did what it says. Removals report
// nothing: what cannot go stays.
//
// The record of one installation, as uninstall.dat holds it. setup reads an
// earlier one before it installs again; the uninstaller reads it to remove
// the installation. Plain arrays, C streams and the C heap, so that the
// uninstaller stays small.
#pragma once
#include <stdint.h>
#include <stdio.h>

#include "common/UninstallDataFormat.h"

class UninstallData
{
public:
  UninstallData();
  virtual ~UninstallData();
  UninstallData(const UninstallData&) = delete;
  UninstallData& operator=(const UninstallData&) = delete;

  // 0 when the file was read whole; 1 when it can't be opened, lacks the
  // magic or is damaged (a count beyond what the file can hold, a string
  // or count cut off by its end, a failed allocation). After 1 the record
  // is empty.
  int Read(const char* lpszPath);
  // One NUL-terminated string into a slot of nSize bytes; a longer string
  // is cut to nSize - 1 bytes and the rest of it skipped. 0 on success,
  // 1 when the file ends before the string's NUL.
  int ReadString(char* pszBuffer, int nSize, FILE* pFile);
  // Deletes the recorded shortcut files, then the folder of the first one
  // if that leaves it empty and it is not one of the shell's own folders.
  void RemoveShortcuts();
  // That folder into a buffer of UNINSTALL_PATH_SIZE bytes; false when
  // there is none to remove.
  bool GetShortcutFolder(char* pszFolder) const;

  // The uninstaller's part (Windows only, defined in uninstall/).
  void RemoveAll();
  void RemovePath(const char* lpszName);
  void RemoveTree(const char* lpszFolder);

  char m_szAppName[UNINSTALL_NAME_SIZE];
  int32_t m_nInstalled;
  char (*m_pInstalled)[UNINSTALL_PATH_SIZE];
  int32_t m_nLinks;
  char (*m_pLinks)[UNINSTALL_PATH_SIZE];
  int32_t m_nGenerated;
  char (*m_pGenerated)[UNINSTALL_PATH_SIZE];

private:
  void Clear();
  int ReadList(FILE* pFile, int64_t nFileSize, int32_t& nCount, char (*&pList)[UNINSTALL_PATH_SIZE]);
};

// TRUE when a recorded shortcut path names a .lnk file (any case).
bool IsShortcutPath(const char* lpszPath);
