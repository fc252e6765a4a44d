// CFolderScan: the entries of a folder that match a pattern ("dir\*.*"),
// one after the other, with the search handle closed on every path out.
// Plain C++ (Win32), so that the uninstaller uses it as setup does.
#pragma once
#include <windows.h>

#include "framework/String.h"
#include "framework/os/Unicode.h"

class CFolderScan
{
public:
  CFolderScan() : m_hFind(INVALID_HANDLE_VALUE) {}
  ~CFolderScan() { Close(); }
  CFolderScan(const CFolderScan&) = delete;
  CFolderScan& operator=(const CFolderScan&) = delete;

  // The first match; false when there is none (or the folder cannot be read).
  bool First(const char* lpszPattern)
  {
    Close();
    m_hFind = ::FindFirstFileW(CWidePath(lpszPattern), &m_data);
    return m_hFind != INVALID_HANDLE_VALUE;
  }
  // The next match; false when there is no further one.
  bool Next() { return m_hFind != INVALID_HANDLE_VALUE && ::FindNextFileW(m_hFind, &m_data) != FALSE; }
  void Close()
  {
    if (m_hFind != INVALID_HANDLE_VALUE)
      ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
  }

  CString Name() const { return Utf8FromWide(m_data.cFileName); }
  DWORD Attributes() const { return m_data.dwFileAttributes; }
  bool IsFolder() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  // "." and "..", which every folder but a root lists.
  bool IsDotEntry() const
  {
    const WCHAR* p = m_data.cFileName;
    return p[0] == L'.' && (p[1] == L'\0' || (p[1] == L'.' && p[2] == L'\0'));
  }
  // A name that begins with a full stop.
  bool IsDotName() const { return m_data.cFileName[0] == L'.'; }

private:
  HANDLE m_hFind;
  WIN32_FIND_DATAW m_data;
};
