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

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The length of the root that pszPath begins with: "X:" (2), or a UNC
// root "\\server\share" of a server and a share, neither empty and no device
// ("\\.\", "\\?\"); 0 when it has none.
int RootLength(const char* pszPath)
{
  if (pszPath[0] != '\0' && pszPath[1] == ':')
    return 2;
  if (!IsSeparator(pszPath[0]) || !IsSeparator(pszPath[1]))
    return 0;
  const char* p = pszPath + 2;
  for (int nPart = 0; nPart < 2; ++nPart) {
    const char* pStart = p;
    while (*p && !IsSeparator(*p))
      ++p;
    if (p == pStart || (nPart == 0 && (!*p++ || (p - pStart == 2 && (*pStart == '.' || *pStart == '?')))))
      return 0;
  }
  return static_cast<int>(p - pszPath);
}

bool HasForm(const char* pszPath, DestinationForm form)
{
  const int nRoot = RootLength(pszPath);
  if (form == kDialogForm)
    return nRoot == 2 && (pszPath[2] == '\0' || IsSeparator(pszPath[2]));
  // A drive letter, in ASCII whatever the code page.
  return nRoot > 2 || (nRoot == 2 && static_cast<unsigned>((pszPath[0] | 0x20) - 'a') < 26 && IsSeparator(pszPath[2]));
}

// The shortfall in KB, or -1 when the drive holds the payload. A drive
// whose space is unknown passes: creating the folder then fails and says so.
int32_t ShortfallOnDrive(const char* lpszRoot, int32_t nTotalSize)
{
  DriveSpace space;
  if (!GetDriveSpace(lpszRoot, space))
    return -1;
  return SpaceShortfallKB(space.nSectorsPerCluster, space.nBytesPerSector, space.nFreeClusters, nTotalSize);
}

// strPath: the normal form; strFolder: the same as the system takes it.
DestinationVerdict AcceptExistingEntry(const CString& strPath, const CString& strFolder, const char* lpszPrevDir)
{
  // The earlier installation's own directory needs no question.
  if (strPath == NormalizeDestination(lpszPrevDir))
    return kDestAccepted;
  switch (ExaminePath(strFolder)) {
  case kPathDirectory: return kDestExists;
  case kPathFile: return kDestFileExists;
  default: return kDestCannotCreate;
  }
}

// Parents are made behind the root (nRoot characters with its backslash):
// the drive or the share is there, or nothing is.
DestinationVerdict CreateDestination(const CString& strPath, const CString& strFolder, int nRoot,
                                     const char* lpszPrevDir, bool& bMade)
{
  switch (MakeFolder(strFolder)) {
  case kFolderMade: return bMade = true, kDestAccepted;
  case kFolderParentMissing:
    CreateParentFolders(strFolder, nRoot);
    if (MakeFolder(strFolder) == kFolderMade)
      return bMade = true, kDestAccepted;
    return kDestCannotCreate;
  case kFolderExists: return AcceptExistingEntry(strPath, strFolder, lpszPrevDir);
  default:
    // Access denied on a drive root, say: what is there may be used.
    return ExaminePath(strFolder) == kPathDirectory ? kDestAccepted : kDestCannotCreate;
  }
}

}  // namespace

EarlierInstallation FindEarlierInstallation(const CString& strAppName, bool bPerUser)
{
  EarlierInstallation earlier;
  // A name setup does not register would open the Uninstall key itself or
  // another application's key.
  CRegKey entry;
  if (!IsRegistrableAppName(strAppName) || entry.Open(bPerUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                                                      kUninstallKey + strAppName, KEY_QUERY_VALUE) != ERROR_SUCCESS)
    return earlier;
  earlier.bRegistered = true;
  entry.QueryText("DisplayVersion", earlier.strVersion);
  if (entry.QueryText("InstallLocation", earlier.strFolder) && !earlier.strFolder.IsEmpty())
    return earlier;
  // Without the value the uninstaller is "C:\", whose folder is "C:".
  CString strCommand;
  if (!entry.QueryText("UninstallString", strCommand))
    strCommand = "C:\\";
  const CString strUninstaller = UninstallerPathOf(strCommand);
  const int nLastSeparator = strUninstaller.ReverseFind('\\');
  earlier.strFolder = nLastSeparator >= 0 ? strUninstaller.Left(nLastSeparator) : CString();
  return earlier;
}

void ProposeDestination(const CString& strAppName, const CString& strDefaultDest, bool bPerUser, CString& strProposal,
                        CString& strPrevDir)
{
  strPrevDir.Empty();
  // An earlier installation of the same name: its folder. No folder in its
  // entry: propose as if nothing were registered.
  const EarlierInstallation earlier = FindEarlierInstallation(strAppName, bPerUser);
  if (!earlier.strFolder.IsEmpty()) {
    strProposal = strPrevDir = LeadingUnits(earlier.strFolder, kMaxPathChars);
    return;
  }

  CString strBase;
  bool bFound;
  if (bPerUser) {
    bFound = !GetShellFolder("Local AppData", strBase, HKEY_CURRENT_USER);
    strBase += "\\Programs";
  } else if (strDefaultDest == "ProgramFiles") {
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

CString NormalizeDestination(const char* lpszPath)
{
  CString strPath;
  const int nLead = RootLength(lpszPath) > 2 ? 2 : 0;
  for (const char* p = lpszPath; *p; ++p) {
    if (!IsSeparator(*p))
      strPath += *p;
    else if (p - lpszPath < nLead || !IsSeparator(p[1]))
      strPath += '\\';
  }
  // A separator at the end is dropped, a root's too; a UNC path keeps its two.
  if (strPath.GetLength() > nLead && strPath[strPath.GetLength() - 1] == '\\')
    strPath = strPath.Left(strPath.GetLength() - 1);
  return strPath;
}

DestinationCheck CheckDestination(const char* lpszPath, const char* lpszPrevDir, int32_t nTotalSize,
                                  DestinationForm form)
{
  DestinationCheck check = {kDestAccepted, false, -1, CString(lpszPath)};
  // Longer than the shell takes: no link could point into it.
  if (WideLength(lpszPath) > kMaxPathChars) {
    check.verdict = kDestTooLong;
  } else if (!HasForm(lpszPath, form)) {
    check.verdict = form == kDialogForm ? kDestInvalidForm : kDestNotAbsolute;
  } else {
    check.strPath = NormalizeDestination(lpszPath);
    // The system takes a root with its backslash: "X:\", "\\server\share\".
    const int nRoot = RootLength(check.strPath);
    const CString strRoot = check.strPath.Left(nRoot) + "\\";
    const CString& strFolder = check.strPath.GetLength() == nRoot ? strRoot : check.strPath;
    if ((check.nShortfallKB = ShortfallOnDrive(strRoot, nTotalSize)) >= 0)
      check.verdict = kDestNoSpace;
    else
      check.verdict = CreateDestination(check.strPath, strFolder, nRoot + 1, lpszPrevDir, check.bMade);
  }
  return check;
}

CString DescribeDestinationRefusal(const DestinationCheck& check, UINT& nIcon)
{
  nIcon = MB_ICONEXCLAMATION;
  CString strText;
  switch (check.verdict) {
  case kDestTooLong: return kPathTooLong;
  case kDestInvalidForm: nIcon = 0; return kInvalidForm;
  case kDestNotAbsolute: return kNotAbsolute;
  case kDestNoSpace: {
    // The drive's letter in upper case and its colon, or a share's root.
    const char* pszRoot = check.strPath;
    strText.Format(kNoSpace, static_cast<int>(check.nShortfallKB), toupper(static_cast<unsigned char>(pszRoot[0])),
                   RootLength(pszRoot) - 1, pszRoot + 1);
    return strText;
  }
  case kDestFileExists: return kFileExists;
  default: return kCannotCreate;
  }
}
