#include "setup/decisions/DestinationChoice.h"
#include <ctype.h>
#include "common/InstallNames.h"
#include "common/ShellFolders.h"
#include "framework/os/FileSystem.h"
#include "framework/os/RegKey.h"
#include "framework/os/Unicode.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/FolderPaths.h"
#include "setup/decisions/FreeSpace.h"

namespace {

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// The shortfall in KB, or -1 when the drive holds the payload. A drive
// whose space is unknown passes: creating the folder then fails and says so.
int32_t ShortfallOnDrive(const char* lpszPath, int32_t nTotalSize)
{
  // The system wants the root with its backslash, also for "D:" alone.
  const char szRoot[4] = {lpszPath[0], ':', '\\', '\0'};
  DriveSpace space;
  if (!GetDriveSpace(szRoot, space))
    return -1;
  return SpaceShortfallKB(space.nSectorsPerCluster, space.nBytesPerSector, space.nFreeClusters, nTotalSize);
}

DestinationVerdict AcceptExistingEntry(const char* lpszPath, const char* lpszPrevDir)
{
  // The earlier installation's own directory needs no question.
  if (strcmp(lpszPath, lpszPrevDir) == 0)
    return kDestAccepted;
  switch (ExaminePath(lpszPath)) {
  case kPathDirectory: return kDestExists;
  case kPathFile: return kDestFileExists;
  default: return kDestCannotCreate;
  }
}

DestinationVerdict CreateDestination(const char* lpszPath, const char* lpszPrevDir, bool& bMade)
{
  switch (MakeFolder(lpszPath)) {
  case kFolderMade: return bMade = true, kDestAccepted;
  case kFolderParentMissing:
    CreateParentFolders(lpszPath);
    if (MakeFolder(lpszPath) == kFolderMade)
      return bMade = true, kDestAccepted;
    return kDestCannotCreate;
  case kFolderExists: return AcceptExistingEntry(lpszPath, lpszPrevDir);
  default:
    // Access denied on a drive root, say: what is there may be used.
    return ExaminePath(lpszPath) == kPathDirectory ? kDestAccepted : kDestCannotCreate;
  }
}

}  // namespace

void ProposeDestination(const CString& strAppName, const CString& strDefaultDest, CString& strProposal,
                        CString& strPrevDir)
{
  strPrevDir.Empty();
  // An earlier installation of the same name: its uninstaller's folder. A
  // name setup does not register would open the Uninstall key itself or
  // another application's key.
  CRegKey entry;
  if (IsRegistrableAppName(strAppName) &&
      entry.Open(HKEY_LOCAL_MACHINE, kUninstallKey + strAppName, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
    // Without the value the proposal is "C:\", whose folder is "C:".
    CString strCommand;
    if (!entry.QueryText("UninstallString", strCommand))
      strCommand = "C:\\";
    const int nLastSeparator = strCommand.ReverseFind('\\');
    // No folder in it: propose as if nothing were registered.
    if (nLastSeparator >= 0) {
      strProposal = strPrevDir = LeadingUnits(strCommand.Left(nLastSeparator), kMaxPathChars);
      return;
    }
  }

  CString strBase;
  bool bFound;
  if (strDefaultDest == "ProgramFiles") {
    CRegKey currentVersion;
    bFound = currentVersion.Open(HKEY_LOCAL_MACHINE, kCurrentVersionKey, KEY_ALL_ACCESS) == ERROR_SUCCESS &&
             currentVersion.QueryText("ProgramFilesDir", strBase);
  } else {
    bFound = !GetShellFolder(strDefaultDest, strBase, HKEY_CURRENT_USER);
  }
  if (!bFound)
    strBase = "C:\\";
  // Cut to what the destination takes, so that it can be accepted as it is.
  strProposal = LeadingUnits(strBase + "\\" + strAppName, kMaxPathChars);
}

DestinationCheck CheckDestination(const char* lpszPath, const char* lpszPrevDir, int32_t nTotalSize)
{
  DestinationCheck check = {kDestAccepted, false, -1};
  // Longer than the shell takes: no link could point into it.
  if (WideLength(lpszPath) > kMaxPathChars)
    check.verdict = kDestTooLong;
  else if (lpszPath[0] == '\0' || lpszPath[1] != ':')
    check.verdict = kDestInvalidForm;
  else if ((check.nShortfallKB = ShortfallOnDrive(lpszPath, nTotalSize)) >= 0)
    check.verdict = kDestNoSpace;
  else
    check.verdict = CreateDestination(lpszPath, lpszPrevDir, check.bMade);
  return check;
}

CString DescribeDestinationRefusal(const DestinationCheck& check, const char* lpszPath, UINT& nIcon)
{
  nIcon = MB_ICONEXCLAMATION;
  CString strText;
  switch (check.verdict) {
  case kDestTooLong: return kPathTooLong;
  case kDestInvalidForm: nIcon = 0; return kInvalidForm;
  case kDestNoSpace:
    strText.Format(kNoSpace, static_cast<int>(check.nShortfallKB), toupper(static_cast<unsigned char>(lpszPath[0])));
    return strText;
  case kDestFileExists: return kFileExists;
  default: return kCannotCreate;
  }
}
