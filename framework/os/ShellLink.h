// CShellLink: a shell link (.lnk) made through the system's shell-link
// object. COM must be ready on the thread (CComScope) while it lives. The
// shell takes paths of at most MAX_PATH characters here.
//
// Failure convention: each call returns the HRESULT of the shell's call.
#pragma once
#include <shobjidl.h>

#include "framework/os/ComPtr.h"
#include "framework/os/Unicode.h"

class CShellLink
{
public:
  // The shell-link object and its file interface.
  HRESULT Create();
  HRESULT SetPath(const char* lpszTarget) { return m_link->SetPath(CWideText(lpszTarget)); }
  HRESULT SetWorkingDirectory(const char* lpszFolder) { return m_link->SetWorkingDirectory(CWideText(lpszFolder)); }
  HRESULT SetDescription(const char* lpszText) { return m_link->SetDescription(CWideText(lpszText)); }
  HRESULT SetArguments(const char* lpszArguments) { return m_link->SetArguments(CWideText(lpszArguments)); }
  // Writes the link file, which the object then names as its own.
  HRESULT Save(const char* lpszLinkFile) { return m_file->Save(CWideText(lpszLinkFile), TRUE); }

private:
  CComPtr<IShellLinkW> m_link;
  CComPtr<IPersistFile> m_file;
};
