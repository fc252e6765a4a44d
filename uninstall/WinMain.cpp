// The uninstaller: reads uninstall.dat from its own directory, removes what
// it lists, the emptied folders and the Uninstall entry, and leaves its own
// file and the directory to RunOnce commands.
#include "common/UninstallData.h"
#include "uninstall/FolderList.h"
#include "uninstall/Registry.h"
#include "uninstall/Remains.h"

#include <windows.h>
#include <direct.h>
#include <string.h>

namespace {

const char kReadError[] = "Uninstall information could\nnot be read or is corrupt!";
const char kFolderError[] = "The installation folder could not be opened!\nNothing was removed.";

// DLLs load from the system directory only, where the system allows to ask
// for it: a DLL planted beside us in a download folder must not load.
void RestrictDllSearch()
{
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
  HMODULE hKernel = GetModuleHandleA("kernel32.dll");
  if (!hKernel)
    return;
  SetDefaultDllDirectoriesFn pfn =
    (SetDefaultDllDirectoriesFn)(void*)GetProcAddress(hKernel, "SetDefaultDllDirectories");
  if (pfn)
    pfn(0x800);  // LOAD_LIBRARY_SEARCH_SYSTEM32
}

// The directory of this program into szDir, made the current directory,
// and the program's own file name into szOwnName. FALSE when that fails;
// then nothing may be removed, since every recorded name is relative to it.
bool EnterInstallDirectory(char* szDir, char* szOwnName)
{
  DWORD nLength = GetModuleFileNameA(NULL, szDir, MAX_PATH);
  if (nLength == 0 || nLength >= MAX_PATH)
    return false;
  char* pszSlash = strrchr(szDir, '\\');
  if (!pszSlash)
    return false;
  lstrcpynA(szOwnName, pszSlash + 1, MAX_PATH);
  *pszSlash = 0;
  // "C:" alone is the drive's current directory, not its root.
  if (pszSlash == szDir + 2 && szDir[1] == ':')
  {
    char szRoot[4] = {szDir[0], ':', '\\', 0};
    return _chdir(szRoot) == 0;
  }
  return _chdir(szDir) == 0;
}

} // namespace

// Exit codes: 0 everything recorded is gone, 1 uninstall.dat can't be read
// (or the folder can't be entered; nothing removed), 2 something that was
// to be removed remained.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  RestrictDllSearch();

  char szInstallDir[MAX_PATH];
  char szOwnName[MAX_PATH];
  if (!EnterInstallDirectory(szInstallDir, szOwnName))
  {
    MessageBoxA(NULL, kFolderError, "Error", MB_ICONEXCLAMATION);
    return 1;
  }

  UninstallData data;
  if (data.Read("uninstall.dat") != 0)
  {
    MessageBoxA(NULL, kReadError, "Error", MB_ICONEXCLAMATION);
    return 1;
  }
  // Read before the Uninstall entry goes with it.
  bool bGerman = IsGermanInstallation(data.m_szAppName, szInstallDir, szOwnName);

  data.RemoveAll();
  CFolderList folders;
  folders.Build(data);
  folders.RemoveFolders();
  RemainList remains;
  FindRemains(data, folders, szOwnName, remains);

  DeleteUninstallKey(data.m_szAppName);
  ScheduleSelfRemoval(data.m_szAppName, szInstallDir);

  if (remains.nCount > 0)
  {
    char szText[REMAINS_TEXT];
    const char* pszCaption;
    FormatRemainsMessage(data.m_szAppName, remains, bGerman, szText, pszCaption);
    MessageBoxA(NULL, szText, pszCaption, MB_ICONEXCLAMATION);
    return 2;
  }
  char szMessage[256 + 64];
  wsprintfA(szMessage, "%s was uninstalled successfully!", data.m_szAppName);
  MessageBoxA(NULL, szMessage, "Success", MB_ICONINFORMATION);
  return 0;
}
