// The uninstaller: reads uninstall.dat from its own directory, removes what
// it lists, the emptied folders and the Uninstall entry, and leaves its own
// file and the directory to RunOnce commands.
#include "common/CommandLine.h"
#include "common/ElevatedRestart.h"
#include "common/ElevationRule.h"
#include "common/JoinPath.h"
#include "common/RollbackJournal.h"
#include "common/UninstallData.h"
#include "framework/DllSearch.h"
#include "framework/os/Elevation.h"
#include "framework/os/FileSystem.h"
#include "framework/os/System.h"
#include "uninstall/FolderList.h"
#include "uninstall/Registry.h"
#include "uninstall/Remains.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallLog.h"

#include <windows.h>

CInstallLog g_log;

namespace {

// Exit codes: 0 everything recorded is gone, 1 uninstall.dat can't be read
// (or the folder can't be entered; nothing removed), 2 something that was
// to be removed remained, 3 a command line with /S that is not understood,
// or a log that cannot be written (nothing removed), 4 an installation that
// setup has not finished or undone (nothing removed), 5 a machine-wide
// installation whose removal with administrator rights was refused
// (nothing removed).
enum
{
  EXIT_REMOVED = 0,
  EXIT_NO_DATA = 1,
  EXIT_REMAINS = 2,
  EXIT_COMMAND_LINE = 3,
  EXIT_UNFINISHED = 4,
  EXIT_NOT_ELEVATED = 5
};

// /S: no window at all. A message is logged, and shown unless the run is
// unattended.
bool g_bSilent = false;
// /ELEVATED: this is the second start with administrator rights.
bool g_bStartedElevated = false;
// /LOG=: the file, which a refused second start writes on in.
CString g_strLogPath;

int Finish(int nExitCode)
{
  g_log.Write("exit code", DecimalText(nExitCode));
  g_log.Close();
  return nExitCode;
}

// The outcome: logged, shown unless the run is unattended, and the exit
// code with which the log is closed.
int Finish(int nExitCode, const char* lpszText, const char* lpszCaption)
{
  g_log.Write(lpszCaption, lpszText);
  if (!g_bSilent)
    ShowMessageBox(NULL, lpszText, lpszCaption, nExitCode == EXIT_REMOVED ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
  return Finish(nExitCode);
}

// The options. false when the uninstaller is to end at once with
// EXIT_COMMAND_LINE. Without /S a line that is not understood is ignored,
// as it always was.
bool ReadCommandLine(const char* lpszArgs)
{
  CommandLine line;
  const ArgumentsVerdict verdict = ReadArguments(lpszArgs, OPT_UNINSTALL, line, g_log);
  g_bSilent = (line.nGiven & OPT_SILENT) != 0;
  g_bStartedElevated = (line.nGiven & OPT_ELEVATED) != 0;
  if (line.nGiven & OPT_LOG)
    g_strLogPath = line.strLog;
  if (verdict == kArgumentsNoLog && !g_bSilent)
    ShowMessageBox(NULL, CString(kCannotLog) + line.strLog, kErrorCaption, MB_ICONEXCLAMATION);
  return verdict == kArgumentsUsed || verdict == kArgumentsIgnored;
}

// The directory of this program into strDir, made the current directory
// as far as the system allows, and the program's own file name into
// strOwnName. false when its path is unknown; then nothing may be removed,
// since every recorded name is relative to that directory.
bool EnterInstallDirectory(CString& strDir, CString& strOwnName)
{
  CString strPath;
  if (!GetModulePath(strPath))
    return false;
  const int nSlash = strPath.ReverseFind('\\');
  if (nSlash < 0)
    return false;
  strOwnName = static_cast<const char*>(strPath) + nSlash + 1;
  strDir = strPath.Left(nSlash);
  // A drive's root keeps its backslash: "C:" alone is the drive's current
  // directory. (A whole path's only backslash at 2 is a root's.)
  const CString strCurrent = strPath.Left(nSlash == 2 ? 3 : nSlash);
  if (!IsFolder(strCurrent))
    return false;
  // A folder beyond the old path limit cannot be current; the removals
  // work on whole paths anyway.
  SetCurrentFolder(strCurrent);
  return true;
}

// Whether lpszDir holds the journal of an installation that setup has not
// finished or undone; strText gets the message that says so. Kept apart:
// inlined, it would cost the small program twice its size.
__attribute__((noinline)) bool FindUnfinished(const char* lpszDir, CString& strText)
{
  CString strSetupPath;
  if (!FindUnfinishedJournal(lpszDir, strSetupPath))
    return false;
  strText = Fill(kUnfinished, strSetupPath.IsEmpty() ? kTheInstaller : static_cast<const char*>(strSetupPath), 0);
  strText += kNothingRemoved;
  return true;
}

// A machine-wide installation is removed with administrator rights: without
// them the uninstaller starts itself again with them (the system asks the
// person) and ends with that run's exit code, which goes on with the log.
// A per-user one never asks. false when this run goes on itself.
bool RanElevated(HKEY hRoot, const char* lpszAppName, int& nExitCode)
{
  if (!NeedsElevation(hRoot == HKEY_CURRENT_USER, IsProcessElevated(), g_bStartedElevated))
    return false;
  DWORD nCode = 0;
  if (RunAgainElevated(g_log, g_strLogPath.IsEmpty() ? NULL : static_cast<const char*>(g_strLogPath), "the uninstaller",
                       GetArguments(), nCode)) {
    nExitCode = static_cast<int>(nCode);
    return true;
  }
  nExitCode = Finish(EXIT_NOT_ELEVATED, Fill(kNotElevated, lpszAppName, 0) + kNothingRemoved, kErrorCaption);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  RestrictDllSearch();
  if (!ReadCommandLine(GetArguments()))
    return Finish(EXIT_COMMAND_LINE);

  CString strInstallDir, strOwnName;
  if (!EnterInstallDirectory(strInstallDir, strOwnName))
    return Finish(EXIT_NO_DATA, CString(kFolderError) + kNothingRemoved, kErrorCaption);
  g_log.Write("installation folder", strInstallDir);

  // Removing beside an unfinished installation would take what setup needs
  // to restore the earlier one.
  CString strUnfinished;
  if (FindUnfinished(strInstallDir, strUnfinished))
    return Finish(EXIT_UNFINISHED, strUnfinished, kErrorCaption);

  UninstallData data;
  if (data.Read(JoinPath(strInstallDir, "uninstall.dat")) != 0)
    return Finish(EXIT_NO_DATA, kReadError, kErrorCaption);
  g_log.Write("application", data.m_strAppName);
  // Read before the Uninstall entry goes with it.
  bool bGerman;
  const HKEY hRoot = FindUninstallRoot(data.m_strAppName, strInstallDir, strOwnName, bGerman);
  int nElevatedExit;
  if (RanElevated(hRoot, data.m_strAppName, nElevatedExit))
    return nElevatedExit;

  data.RemoveAll(strInstallDir);
  CFolderList folders;
  folders.Build(data);
  folders.RemoveFolders(strInstallDir);
  RemainList remains;
  FindRemains(data, folders, strInstallDir, strOwnName, remains);

  DeleteUninstallKey(hRoot, data.m_strAppName, remains);
  ScheduleSelfRemoval(hRoot, data.m_strAppName, strInstallDir);

  if (remains.nCount > 0) {
    CString strText;
    const char* pszCaption;
    FormatRemainsMessage(data.m_strAppName, remains, bGerman, strText, pszCaption);
    return Finish(EXIT_REMAINS, strText, pszCaption);
  }
  return Finish(EXIT_REMOVED, Fill(kUninstalled, data.m_strAppName, 0), kSuccessCaption);
}
