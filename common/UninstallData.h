// Failure convention of what setup and the uninstaller share (common/): the
// record's Read returns 0 on success and 1 on failure, as its
// format's first readers did, and GetShellFolder TRUE when it fails; every
// other call returns true when it did what it says. Removals report
// nothing: what cannot go stays.
//
// The record of one installation, as uninstall.dat holds it
// (UninstallDataFormat.h). setup reads an earlier one before it installs
// again; the uninstaller reads it to remove the installation. Texts are
// UTF-8 whichever form the file has.
#pragma once
#include <stdint.h>
#include <stdio.h>

#include "common/UninstallDataFormat.h"
#include "framework/String.h"

class UninstallData
{
public:
  UninstallData();
  virtual ~UninstallData();
  UninstallData(const UninstallData&) = delete;
  UninstallData& operator=(const UninstallData&) = delete;

  // 0 when the file was read whole; 1 when it can't be opened, lacks the
  // magic or is damaged (a count beyond what the file can hold, a string
  // or count cut off by its end, a name that is not UTF-8, a failed
  // allocation). After 1 the record is empty.
  int Read(const char* lpszPath);
  // Deletes the recorded shortcut files, then the folder of the first one
  // if that leaves it empty, setup made it and it is not one of the
  // shell's own folders.
  void RemoveShortcuts();
  // That folder; false when there is none to remove.
  bool GetShortcutFolder(CString& strFolder) const;

  // The uninstaller's part (Windows only, defined in uninstall/): the
  // installed files, the generated files and folder trees, uninstall.dat
  // and the shortcuts; relative names resolve in the installation folder
  // lpszRoot.
  void RemoveAll(const char* lpszRoot);
  // One generated name below lpszRoot: a folder goes as a tree, else as a file.
  void RemovePath(const char* lpszRoot, const char* lpszName);
  // The folder lpszPath, logged as lpszName, and what it holds, depth first.
  void RemoveTree(const char* lpszPath, const char* lpszName);

  CString m_strAppName;
  int32_t m_nInstalled;
  CString* m_pInstalled;
  int32_t m_nLinks;
  CString* m_pLinks;
  int32_t m_nGenerated;
  CString* m_pGenerated;
  // The file's form was the ANSI one ("SS01").
  bool m_bAnsi;
  // The trailer (UNINSTALL_FLAG_...); 0 for a file without one.
  int32_t m_nFlags;

private:
  // The file's bytes not yet read.
  struct Cursor
  {
    const char* p;
    const char* pEnd;
  };
  void Clear();
  // A little-endian int32 into n; false when fewer than 4 bytes are left.
  static bool ReadInt32(Cursor& in, int32_t& n);
  int ReadList(Cursor& in, int32_t& nCount, CString*& pList);
  // One NUL-terminated string of the file, as UTF-8. In the ANSI form a
  // string longer than the slot of nSlot bytes is cut to nSlot - 1 bytes
  // and the rest of it skipped. 0 on success, 1 when the file ends before
  // the string's NUL or the string is not the UTF-8 it should be.
  int ReadString(Cursor& in, CString& strText, int nSlot);
};

// TRUE when a recorded shortcut path names a .lnk file (any case).
bool IsShortcutPath(const char* lpszPath);
