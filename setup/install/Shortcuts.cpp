// The shortcuts: shell links in the program group, the Startup folder and
// on the desktop, each starting its target in the target's own folder.
#include "setup/install/InstallPipeline.h"

#include <stdio.h>

#include "common/ShellFolders.h"
#include "framework/os/ShellLink.h"
#include "setup/SetupTexts.h"

namespace {

const int kPathSize = SHELL_FOLDER_SIZE;

// The record's fields come from the script; never read past their arrays.
int FieldLength(const char* pField, size_t nSize) { return static_cast<int>(strnlen(pField, nSize)); }

}  // namespace

void CInstallPipeline::CreateAllShortcuts()
{
  m_feedback.ShowStatus(Text(kCreatingShortcuts));
  for (int32_t i = 0; i < m_setup.m_nShortcuts; ++i)
    CreateShortcut(&m_setup.m_pShortcuts[i], m_choices.strProgramGroup);
  if (m_setup.m_nStartupShortcuts != 0)
    CreateShortcutsIn(m_setup.m_pStartupShortcuts, m_setup.m_nStartupShortcuts, "Startup");
  if (m_setup.m_nDesktopShortcuts != 0)
    CreateShortcutsIn(m_setup.m_pDesktopShortcuts, m_setup.m_nDesktopShortcuts, "Desktop");
}

void CInstallPipeline::CreateShortcutsIn(ShortcutEntry* pList, int32_t nCount, const char* lpszValueName)
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

HRESULT CInstallPipeline::CreateShortcut(ShortcutEntry* pEntry, const char* lpszFolder)
{
  pEntry->linkPath[0] = '\0';
  if (lpszFolder == NULL || lpszFolder[0] == '\0')
    return E_INVALIDARG;

  // A path cut at 259 characters would name another file: such a link is
  // not made and not recorded.
  char szTarget[kPathSize];
  const int nTarget = FormatTo(szTarget, sizeof(szTarget), "%s\\%.*s", static_cast<const char*>(m_choices.strDestDir),
                               FieldLength(pEntry->target, sizeof(pEntry->target)), pEntry->target);
  char szLink[kPathSize];
  const int nLink = FormatTo(szLink, sizeof(szLink), "%s\\%.*s.lnk", lpszFolder,
                             FieldLength(pEntry->caption, sizeof(pEntry->caption)), pEntry->caption);
  if (nTarget < 0 || nTarget >= kPathSize || nLink < 0 || nLink >= kPathSize) {
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
  const HRESULT hr = CreateLink(szTarget, pEntry->linkPath, szCaption, szArguments);
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

HRESULT CInstallPipeline::CreateLink(const char* lpszTarget, const char* lpszLinkFile, const char* lpszDescription,
                                     const char* lpszArguments)
{
  CComScope com;  // COM for this one link
  CShellLink link;
  HRESULT hr = link.Create();
  if (FAILED(hr))
    return hr;
  if (FAILED(link.SetPath(lpszTarget)))
    m_feedback.Tell(kSetPathFailed, NULL, MB_OK);
  // The target's folder is where it starts.
  char szWorkingDir[kPathSize];
  FormatTo(szWorkingDir, sizeof(szWorkingDir), "%s", lpszTarget);
  char* pLastBackslash = strrchr(szWorkingDir, '\\');
  if (pLastBackslash != NULL)
    *pLastBackslash = '\0';
  link.SetWorkingDirectory(szWorkingDir);
  if (FAILED(link.SetDescription(lpszDescription)))
    m_feedback.Tell(kSetDescriptionFailed, NULL, MB_OK);
  link.SetArguments(lpszArguments != NULL ? lpszArguments : "");
  return link.Save(lpszLinkFile);
}
