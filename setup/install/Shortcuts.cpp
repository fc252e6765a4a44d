// The shortcuts: shell links in the program group, the Startup folder and
// on the desktop, each starting its target in the target's own folder.
#include "setup/install/InstallPipeline.h"

#include "common/ShellFolders.h"
#include "framework/os/FileSystem.h"
#include "framework/os/ShellLink.h"
#include "setup/SetupTexts.h"

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
  CString strFolder;
  if (GetShellFolder(lpszValueName, strFolder, HKEY_CURRENT_USER)) {
    // No folder, no links: an empty link path tells the uninstaller there is
    // nothing to delete.
    for (int32_t i = 0; i < nCount; ++i)
      pList[i].linkPath.Empty();
    m_log.Write("shortcuts not created", CString("no ") + lpszValueName + " folder");
    return;
  }
  for (int32_t i = 0; i < nCount; ++i)
    CreateShortcut(&pList[i], strFolder);
}

HRESULT CInstallPipeline::CreateShortcut(ShortcutEntry* pEntry, const char* lpszFolder)
{
  pEntry->linkPath.Empty();
  if (lpszFolder == NULL || lpszFolder[0] == '\0')
    return E_INVALIDARG;

  // The shell makes links only within its path limit: a longer link or
  // target is not made and not recorded.
  const CString strTarget = m_choices.strDestDir + "\\" + pEntry->target;
  const CString strLink = CString(lpszFolder) + "\\" + pEntry->caption + ".lnk";
  if (WideLength(strTarget) > kShellPathChars || WideLength(strLink) > kShellPathChars) {
    m_log.Write("shortcut not created (the path is too long)", strLink);
    return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
  }
  // A file of the link's name goes aside first: undone, the installation
  // brings it back.
  if ((PathIsPresent(strLink) && !RemoveEarlierFile(strLink)) || !m_journal.WillMakeFile(strLink)) {
    m_log.Write("shortcut not created (what is there cannot be set aside)", strLink);
    return E_FAIL;
  }
  pEntry->linkPath = strLink;

  const HRESULT hr = CreateLink(strTarget, strLink, pEntry->caption, pEntry->arguments);
  if (m_log.IsOpen()) {
    CString strLine = strLink + " to " + strTarget;
    if (!pEntry->arguments.IsEmpty())
      strLine += " " + pEntry->arguments;
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
  const CString strTarget(lpszTarget);
  const int nLastBackslash = strTarget.ReverseFind('\\');
  link.SetWorkingDirectory(nLastBackslash >= 0 ? strTarget.Left(nLastBackslash) : strTarget);
  if (FAILED(link.SetDescription(lpszDescription)))
    m_feedback.Tell(kSetDescriptionFailed, NULL, MB_OK);
  link.SetArguments(lpszArguments != NULL ? lpszArguments : "");
  return link.Save(lpszLinkFile);
}
