#ifdef _WIN32
#include "framework/os/ShellLink.h"

namespace {

// The shell-link object and its two interfaces. Defined here rather than
// taken from the system's GUID library, which would bring every GUID along.
const CLSID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

const int kPathSize = 260;

}  // namespace

HRESULT CShellLink::Create()
{
  HRESULT hr =
      ::CoCreateInstance(kClsidShellLink, NULL, CLSCTX_INPROC_SERVER, kIidShellLinkA, reinterpret_cast<void**>(&m_link));
  if (FAILED(hr))
    return hr;
  return m_link.QueryInterface(kIidPersistFile, m_file);
}

HRESULT CShellLink::Save(const char* lpszLinkFile)
{
  WCHAR wszLinkFile[kPathSize];
  if (::MultiByteToWideChar(CP_ACP, 0, lpszLinkFile, -1, wszLinkFile, kPathSize) == 0)
    return HRESULT_FROM_WIN32(::GetLastError());
  return m_file->Save(wszLinkFile, TRUE);
}
#endif
