// The uninstaller: reads uninstall.dat from its own directory, removes what
// it lists, the emptied folders and the Uninstall entry, and leaves its own
// file and the directory to RunOnce commands.
#include "common/CommandLine.h"
#include "common/UninstallData.h"
#include "framework/DllSearch.h"
#include "framework/os/FileSystem.h"
#include "framework/os/System.h"
#include "uninstall/FolderList.h"
#include "uninstall/Registry.h"
#include "uninstall/Remains.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallLog.h"

#include <windows.h>
#include <string.h>

CInstallLog g_log;

namespace {

// Exit codes: 0 everything recorded is gone, 1 uninstall.dat can't be read
// (or the folder can't be entered; nothing removed), 2 something that was
// to be removed remained, 3 a command line with /S that is not understood,
// or a log that cannot be written (nothing removed).
enum
{
  EXIT_REMOVED = 0,
  EXIT_NO_DATA = 1,
  EXIT_REMAINS = 2,
  EXIT_COMMAND_LINE = 3
};

// /S: no window at all. A message is logged, and shown unless the run is
// unattended.
bool g_bSilent = false;

void Tell(const char* lpszText, const char* lpszCaption, UINT nType)
{
  g_log.Write(lpszCaption, lpszText);
  if (!g_bSilent)
    ShowMessageBox(NULL, lpszText, lpszCaption, nType);
}

int Finish(int nExitCode)
{
  char szCode[16];
  wsprintfA(szCode, "%d", nExitCode);
  g_log.Write("exit code", szCode);
  g_log.Close();
  return nExitCode;
}

// The options. false when the uninstaller is to end at once with
// EXIT_COMMAND_LINE. Without /S a line that is not understood is ignored,
// as it always was.
bool ReadCommandLine(const char* lpszArgs)
{
  CommandLine line;
  const ArgumentsVerdict verdict = ReadArguments(lpszArgs, OPT_UNINSTALL, line, g_log);
  g_bSilent = (line.nGiven & OPT_SILENT) != 0;
  if (verdict == kArgumentsNoLog && !g_bSilent) {
    char szText[sizeof(kCannotLog) + CMDLINE_VALUE_SIZE];
    wsprintfA(szText, "%s%s", kCannotLog, line.szLog);
    ShowMessageBox(NULL, szText, kErrorCaption, MB_ICONEXCLAMATION);
  }
  return verdict == kArgumentsUsed || verdict == kArgumentsIgnored;
}

// The directory of this program into szDir, made the current directory,
// and the program's own file name into szOwnName. FALSE when that fails;
// then nothing may be removed, since every recorded name is relative to it.
bool EnterInstallDirectory(char* szDir, char* szOwnName)
{
  if (!GetModulePath(szDir, MAX_PATH))
    return false;
  char* pszSlash = strrchr(szDir, '\\');
  if (!pszSlash)
    return false;
  lstrcpynA(szOwnName, pszSlash + 1, MAX_PATH);
  *pszSlash = 0;
  // "C:" alone is the drive's current directory, not its root.
  if (pszSlash == szDir + 2 && szDir[1] == ':') {
    char szRoot[4] = {szDir[0], ':', '\\', 0};
    return SetCurrentFolder(szRoot);
  }
  return SetCurrentFolder(szDir);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
  RestrictDllSearch();
  if (!ReadCommandLine(lpCmdLine))
    return Finish(EXIT_COMMAND_LINE);

  char szInstallDir[MAX_PATH];
  char szOwnName[MAX_PATH];
  if (!EnterInstallDirectory(szInstallDir, szOwnName)) {
    Tell(kFolderError, kErrorCaption, MB_ICONEXCLAMATION);
    return Finish(EXIT_NO_DATA);
  }
  g_log.Write("installation folder", szInstallDir);

  UninstallData data;
  if (data.Read("uninstall.dat") != 0) {
    Tell(kReadError, kErrorCaption, MB_ICONEXCLAMATION);
    return Finish(EXIT_NO_DATA);
  }
  g_log.Write("application", data.m_szAppName);
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

  if (remains.nCount > 0) {
    char szText[REMAINS_TEXT];
    const char* pszCaption;
    FormatRemainsMessage(data.m_szAppName, remains, bGerman, szText, pszCaption);
    Tell(szText, pszCaption, MB_ICONEXCLAMATION);
    return Finish(EXIT_REMAINS);
  }
  char szMessage[256 + 64];
  wsprintfA(szMessage, kUninstalled, data.m_szAppName);
  Tell(szMessage, kSuccessCaption, MB_ICONINFORMATION);
  return Finish(EXIT_REMOVED);
}
