// The link query: a .lnk file read by the shell, as Explorer resolves it.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "tests/e2e/driver/CommandSupport.h"
#include "tests/e2e/driver/Text.h"

// Prints the target the link's item list leads to (the list is what the
// shell follows; the 8-bit path beside it is lossy outside the code page)
// and its arguments, a line each.
int QueryLink(const Args& args, Lines* pOut)
{
  if (FAILED(CoInitialize(nullptr)))
    return Complain(kExitFailure, "COM does not start");
  IShellLinkW* pLink = nullptr;
  IPersistFile* pFile = nullptr;
  int nCode = kExitFailure;
  WCHAR szTarget[MAX_PATH] = L"", szArguments[1024] = L"";
  PIDLIST_ABSOLUTE pItems = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&pLink))) ||
      FAILED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile))))
    Complain(kExitFailure, "no shell link object");
  else if (FAILED(pFile->Load(Utf8ToWide(args[0]).c_str(), STGM_READ)))
    Complain(kExitFailure, "%s cannot be read as a link", args[0].c_str());
  else if (FAILED(pLink->GetIDList(&pItems)) || !pItems || !SHGetPathFromIDListW(pItems, szTarget))
    Complain(kExitFailure, "%s leads to no file system path", args[0].c_str());
  else if (FAILED(pLink->GetArguments(szArguments, sizeof(szArguments) / sizeof(szArguments[0]))))
    Complain(kExitFailure, "%s: no arguments to read", args[0].c_str());
  else {
    pOut->push_back(WideToUtf8(szTarget));
    pOut->push_back(WideToUtf8(szArguments));
    nCode = kExitOk;
  }
  CoTaskMemFree(pItems);
  if (pFile)
    pFile->Release();
  if (pLink)
    pLink->Release();
  CoUninitialize();
  return nCode;
}
