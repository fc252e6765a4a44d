// Shell folders and shortcuts: where the shell keeps the start menu, the
// startup folder, the desktop and the fonts, and the shell links setup puts
// there.
#include "setup/SetupApp.h"

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <stdio.h>

#include "common/ShellFolders.h"
#include "framework/ComPtr.h"
#include "setup/SetupTexts.h"

static const DWORD kPathSize = 260;

// The shell-link object and its two interfaces. Defined here rather than
// taken from the system's GUID library, which would bring every GUID along.
static const CLSID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID kIidShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

BOOL CSetupApp::GetShellFolder(const char* lpszValueName, char* lpszFolder, HKEY hRoot)
{
  // Read into a buffer of our own: a value that does not fit must not leave
  // a half-written folder behind.
  char szValue[SHELL_FOLDER_SIZE + 1];
  if (!ReadShellFolderValue(hRoot, lpszValueName, KEY_ALL_ACCESS, szValue))
    return TRUE;
  // 260 characters without a NUL do not fit a 260-byte path; an empty value
  // names no folder at all (links would land in the root of the drive).
  size_t nLength = strlen(szValue);
  if (nLength >= kPathSize || nLength == 0)
    return TRUE;
  memcpy(lpszFolder, szValue, nLength + 1);
  return FALSE;
}

void CSetupApp::CreateShortcutsIn(ShortcutEntry* pList, int32_t nCount, const char* lpszValueName)
{
  char szFolder[kPathSize];
  if (GetShellFolder(lpszValueName, szFolder, HKEY_CURRENT_USER)) {
    // No folder, no links: an empty link path tells the uninstaller there is
    // nothing to delete.
    for (int32_t i = 0; i < nCount; ++i)
      pList[i].linkPath[0] = '\0';
    m_log.Write("shortcuts not created", CString("no ") + lpszValueName + " folder");
    return;
  }
  for (int32_t i = 0; i < nCount; ++i)
    CreateShortcut(&pList[i], szFolder);
}

// The record's fields come from the script; never read past their arrays.
static int FieldLength(const char* pField, size_t nSize) { return static_cast<int>(strnlen(pField, nSize)); }

HRESULT CSetupApp::CreateShortcut(ShortcutEntry* pEntry, const char* lpszFolder)
{
  pEntry->linkPath[0] = '\0';
  if (lpszFolder == NULL || lpszFolder[0] == '\0')
    return E_INVALIDARG;

  // A path cut at 259 characters would name another file: such a link is
  // not made and not recorded.
  char szTarget[kPathSize];
  int nTarget = FormatTo(szTarget, sizeof(szTarget), "%s\\%.*s", m_destinationDlg.m_szDestDir,
                         FieldLength(pEntry->target, sizeof(pEntry->target)), pEntry->target);
  char szLink[kPathSize];
  int nLink = FormatTo(szLink, sizeof(szLink), "%s\\%.*s.lnk", lpszFolder,
                       FieldLength(pEntry->caption, sizeof(pEntry->caption)), pEntry->caption);
  if (nTarget < 0 || nTarget >= static_cast<int>(kPathSize) || nLink < 0 || nLink >= static_cast<int>(kPathSize)) {
    m_log.Write("shortcut not created (the path is too long)", szLink);
    return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
  }
  memcpy(pEntry->linkPath, szLink, static_cast<size_t>(nLink) + 1);

  char szCaption[sizeof(pEntry->caption) + 1];
  FormatTo(szCaption, sizeof(szCaption), "%.*s", FieldLength(pEntry->caption, sizeof(pEntry->caption)),
           pEntry->caption);
  char szArguments[sizeof(pEntry->arguments) + 1];
  FormatTo(szArguments, sizeof(szArguments), "%.*s", FieldLength(pEntry->arguments, sizeof(pEntry->arguments)),
           pEntry->arguments);
  HRESULT hr = CreateLink(szTarget, pEntry->linkPath, szCaption, szArguments);
  if (m_log.IsOpen()) {
    CString strLine;
    strLine.Format("%s to %s%s%s", pEntry->linkPath, szTarget, szArguments[0] ? " " : "", szArguments);
    if (FAILED(hr)) {
      CString strError;
      strError.Format(" (failed: 0x%08lx)", static_cast<unsigned long>(hr));
      strLine += strError;
    }
    m_log.Write("shortcut", strLine);
  }
  return hr;
}

void CSetupApp::TellLinkFailure(const char* lpszText)
{
  m_log.Write(lpszText);
  if (!m_bSilent)
    AfxMessageBox(lpszText, MB_OK, 0);
}

namespace {

// The link written through the shell-link object, while COM is ready.
HRESULT WriteLink(CSetupApp& app, const char* lpszTarget, const char* lpszLinkFile, const char* lpszDescription,
                  const char* lpszArguments)
{
  CComPtr<IShellLinkA> shellLink;
  HRESULT hr = ::CoCreateInstance(kClsidShellLink, NULL, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                  reinterpret_cast<void**>(&shellLink));
  if (FAILED(hr))
    return hr;
  CComPtr<IPersistFile> persistFile;
  hr = shellLink->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(&persistFile));
  if (FAILED(hr))
    return hr;

  if (FAILED(shellLink->SetPath(lpszTarget)))
    app.TellLinkFailure(kSetPathFailed);
  // The target's folder is where it starts.
  char szWorkingDir[kPathSize];
  FormatTo(szWorkingDir, sizeof(szWorkingDir), "%s", lpszTarget);
  char* pLastBackslash = strrchr(szWorkingDir, '\\');
  if (pLastBackslash != NULL)
    *pLastBackslash = '\0';
  shellLink->SetWorkingDirectory(szWorkingDir);
  if (FAILED(shellLink->SetDescription(lpszDescription)))
    app.TellLinkFailure(kSetDescriptionFailed);
  shellLink->SetArguments(lpszArguments != NULL ? lpszArguments : "");

  WCHAR wszLinkFile[kPathSize];
  if (::MultiByteToWideChar(CP_ACP, 0, lpszLinkFile, -1, wszLinkFile, kPathSize) == 0)
    return HRESULT_FROM_WIN32(::GetLastError());
  return persistFile->Save(wszLinkFile, TRUE);
}

}  // namespace

HRESULT CSetupApp::CreateLink(const char* lpszTarget, const char* lpszLinkFile, const char* lpszDescription,
                              const char* lpszArguments)
{
  // COM is ours for this one link only; a thread that already runs COM in
  // another mode keeps its own and must not lose it to our uninitialise.
  HRESULT hrInit = ::CoInitialize(NULL);
  HRESULT hr = WriteLink(*this, lpszTarget, lpszLinkFile, lpszDescription, lpszArguments);
  if (SUCCEEDED(hrInit))
    ::CoUninitialize();
  return hr;
}
