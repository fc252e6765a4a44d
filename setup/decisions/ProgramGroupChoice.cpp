#include "setup/decisions/ProgramGroupChoice.h"
#include "common/InstallNames.h"
#include "common/JoinPath.h"
#include "common/ShellFolders.h"
#include "framework/os/FileSystem.h"
#include "framework/os/Unicode.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/FolderPaths.h"

const char* ScopeName(int nScope) { return nScope == kScopeAllUsers ? "All Users" : "Current User"; }

bool ReadProgramsFolder(int nScope, CString& strFolder)
{
  return nScope == kScopeAllUsers ? !GetShellFolder("Common Programs", strFolder, HKEY_LOCAL_MACHINE)
                                  : !GetShellFolder("Programs", strFolder, HKEY_CURRENT_USER);
}

GroupVerdict CreateProgramGroup(const char* lpszProgramsDir, const char* lpszTyped, CString& strFolder, bool& bMade)
{
  bMade = false;
  if (lpszProgramsDir[0] == '\0')
    return kGroupNoProgramsFolder;
  // The program group lies inside the start menu: an empty name would be
  // the Programs folder itself, which the uninstaller would then try to
  // remove with the last shortcut; ".." or a drive would leave it.
  if (!IsInsideInstallation(lpszTyped))
    return kGroupNotInStartMenu;
  // Its links must stay within the shell's limit.
  strFolder = JoinPath(lpszProgramsDir, lpszTyped);
  if (WideLength(strFolder) > kMaxPathChars)
    return kGroupTooLong;

  // One level only: the person creates deeper groups step by step.
  const FolderMade made = MakeFolder(strFolder);
  if (made == kFolderMade)
    return bMade = true, kGroupAccepted;
  const PathKind kind = ExaminePath(strFolder);
  if (made == kFolderParentMissing)
    return kGroupPathNotFound;
  if (made == kFolderExists && kind == kPathFile)
    return kGroupFileExists;
  // An existing folder is reused; anything else must be a folder by now.
  return kind == kPathDirectory ? kGroupAccepted : kGroupPathNotFound;
}

const char* DescribeGroupRefusal(GroupVerdict verdict)
{
  switch (verdict) {
  case kGroupNoProgramsFolder: return kNoProgramsFolder;
  case kGroupNotInStartMenu: return kNotInStartMenu;
  case kGroupTooLong: return kPathTooLong;
  case kGroupFileExists: return kFileExists;
  default: return kPathNotFound;
  }
}
