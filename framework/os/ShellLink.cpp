#ifdef _WIN32
#include "framework/os/ShellLink.h"

namespace {

// The shell-link object and its two interfaces. Defined here rather than
// taken from the system's GUID library, which would bring every GUID along.
const CLSID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace

HRESULT CShellLink::Create()
{
  HRESULT hr = ::CoCreateInstance(kClsidShellLink, NULL, CLSCTX_INPROC_SERVER, kIidShellLinkW,
                                  reinterpret_cast<void**>(&m_link));
  if (FAILED(hr))
    return hr;
  return m_link.QueryInterface(kIidPersistFile, m_file);
}
#endif
