#include "setup/dialogs/DestinationDlg.h"
#include <ctype.h>
#include <errno.h>
#include "common/InstallNames.h"
#include "setup/SetupApp.h"
#include "setup/dialogs/FolderPaths.h"
#include "setup/dialogs/FreeSpace.h"

BEGIN_MESSAGE_MAP(CDestinationDlg, CDialog)
END_MESSAGE_MAP()

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

const char kInvalidForm[] = "Invalid input - must be of the form\nX:\\Path";
const char kNoSpace[] = "Not enough disk space.\nLeave Setup and free at least %i KB on drive %c:\nor choose a different drive.";
const char kCannotCreate[] = "The directory cannot be created.\nPossibly incorrect syntax.";
const char kFileExists[] = "A file of the same name already exists.\nPlease Choose a different location.";
const char kDirectoryExists[] = "Directory already exists... Continue?";
const char kPathTooLong[] = "The path is too long.\nPlease choose a shorter one.";

// Reads a registry value of any type as text into a 260-byte buffer. A
// value that is missing or does not fit leaves the buffer as it was; one
// stored without its terminating NUL is cut to end inside the buffer.
void QueryText(HKEY hKey, const char* lpszName, char* pszBuffer)
{
  char szValue[260];
  DWORD nSize = sizeof(szValue);
  if (::RegQueryValueExA(hKey, lpszName, NULL, NULL, reinterpret_cast<BYTE*>(szValue), &nSize) != ERROR_SUCCESS)
    return;
  szValue[nSize < sizeof(szValue) ? nSize : sizeof(szValue) - 1] = '\0';
  CopyCut(pszBuffer, sizeof(szValue), szValue);
}

}  // namespace

CDestinationDlg::CDestinationDlg(CWnd* pParent) : CDialog(IDD, pParent), m_bMadeDestDir(false)
{
  m_szPrevDir[0] = '\0';
  m_szDestDir[0] = '\0';
}

CDestinationDlg::~CDestinationDlg() {}

void CDestinationDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_TEXT, m_strText);
}

BOOL CDestinationDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  SetTexts();

  char szProposal[260] = "C:\\";
  ProposeDirectory(szProposal);

  CWnd edit = GetDlgItem(IDC_DEST_DIR);
  edit.SendMessage(EM_LIMITTEXT, kMaxPathChars);
  edit.SetWindowText(szProposal);
  UpdateData(FALSE);
  return TRUE;
}

void CDestinationDlg::SetTexts()
{
  const CString& strApp = theApp.m_strAppName;
  if (theApp.m_strLanguage == "ENG")
  {
    m_strText = "Please choose a directory on your hard disk, to which " + strApp +
                " is to be installed, or simply accept the default location.";
    return;
  }
  SetWindowText("Zielverzeichnis w" "\xe4" "hlen");
  m_strText = "Geben Sie das Verzeichnis an, in dem " + strApp +
              " installiert werden soll, oder akzeptieren Sie das vorgegebene Verzeichnis.";
  GetDlgItem(IDC_DEST_GROUP)->SetWindowText("Zielverzeichnis");
  GetDlgItem(IDCANCEL)->SetWindowText("Verlassen");
}

void CDestinationDlg::ProposeDirectory(char* pszProposal)
{
  // An earlier installation of the same name: its uninstaller's folder. A
  // name setup does not register would open the Uninstall key itself or
  // another application's key.
  HKEY hKey;
  const CString strKey = kUninstallKey + theApp.m_strAppName;
  if (IsRegistrableAppName(theApp.m_strAppName) &&
      ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS)
  {
    QueryText(hKey, "UninstallString", pszProposal);
    ::RegCloseKey(hKey);
    char* pLastSeparator = strrchr(pszProposal, '\\');
    if (pLastSeparator != NULL)
    {
      *pLastSeparator = '\0';
      CopyCut(m_szPrevDir, sizeof(m_szPrevDir), pszProposal);
      return;
    }
    // No folder in it: propose as if nothing were registered.
    CopyCut(pszProposal, sizeof(m_szPrevDir), "C:\\");
  }

  if (theApp.m_strDefaultDest == "ProgramFiles")
  {
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS)
    {
      QueryText(hKey, "ProgramFilesDir", pszProposal);
      ::RegCloseKey(hKey);
    }
  }
  else
  {
    theApp.GetShellFolder(theApp.m_strDefaultDest, pszProposal, HKEY_CURRENT_USER);
    pszProposal[kMaxPathChars] = '\0';
  }
  // A long name is cut here; the person sees the proposal before accepting it.
  const CString strJoined = CString(pszProposal) + "\\" + theApp.m_strAppName;
  CopyCut(pszProposal, sizeof(m_szDestDir), strJoined);
  m_szPrevDir[0] = '\0';
}

void CDestinationDlg::OnOK()
{
  if (!ReadTypedPath())
    return;
  // Test the first character too: an emptied edit leaves an old text behind
  // its terminator.
  if (m_szDestDir[0] == '\0' || m_szDestDir[1] != ':')
  {
    ShowError(kInvalidForm, 0);
    return;
  }
  if (!CheckFreeSpace() || !CreateDestination())
    return;
  CDialog::OnOK();
}

BOOL CDestinationDlg::ReadTypedPath()
{
  // The edit takes no more than the limit from the keyboard, but a program
  // can set a longer text: refuse it rather than cut it to another name.
  CWnd edit = GetDlgItem(IDC_DEST_DIR);
  if (::GetWindowTextLengthA(edit) > kMaxPathChars)
  {
    ShowError(kPathTooLong, MB_ICONEXCLAMATION);
    return FALSE;
  }
  edit.GetWindowText(m_szDestDir, sizeof(m_szDestDir));
  return TRUE;
}

BOOL CDestinationDlg::CheckFreeSpace()
{
  // The system wants the root with its backslash, also for "D:" alone.
  const char szRoot[4] = {m_szDestDir[0], ':', '\\', '\0'};
  DWORD nSectorsPerCluster, nBytesPerSector, nFreeClusters, nClusters;
  if (!::GetDiskFreeSpaceA(szRoot, &nSectorsPerCluster, &nBytesPerSector, &nFreeClusters, &nClusters))
    return TRUE;  // unknown drive: creating the directory fails and says so

  const int32_t nShortfall = SpaceShortfallKB(nSectorsPerCluster, nBytesPerSector, nFreeClusters, theApp.m_nTotalSize);
  if (nShortfall < 0)
    return TRUE;
  CString strText;
  strText.Format(kNoSpace, static_cast<int>(nShortfall), toupper(static_cast<unsigned char>(m_szDestDir[0])));
  ShowError(strText, MB_ICONEXCLAMATION);
  return FALSE;
}

BOOL CDestinationDlg::CreateDestination()
{
  m_bMadeDestDir = false;
  if (_mkdir(m_szDestDir) == 0)
    return m_bMadeDestDir = true;
  switch (errno)
  {
  case ENOENT:
    CreateParentFolders(m_szDestDir);
    if (_mkdir(m_szDestDir) == 0)
      return m_bMadeDestDir = true;
    break;
  case EEXIST:
    return AcceptExistingEntry();
  default:
    // Access denied on a drive root, say: what is there may be used.
    if (ExaminePath(m_szDestDir) == kPathDirectory)
      return TRUE;
    break;
  }
  ShowError(kCannotCreate, MB_ICONEXCLAMATION);
  return FALSE;
}

BOOL CDestinationDlg::AcceptExistingEntry()
{
  // The earlier installation's own directory needs no question.
  if (strcmp(m_szDestDir, m_szPrevDir) == 0)
    return TRUE;
  switch (ExaminePath(m_szDestDir))
  {
  case kPathDirectory:
    return ::MessageBoxA(m_hWnd, kDirectoryExists, "Warning", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
  case kPathFile:
    ShowError(kFileExists, MB_ICONEXCLAMATION);
    return FALSE;
  default:
    ShowError(kCannotCreate, MB_ICONEXCLAMATION);
    return FALSE;
  }
}

void CDestinationDlg::ShowError(const char* lpszText, UINT nIcon)
{
  ::MessageBoxA(m_hWnd, lpszText, "Error", MB_OK | nIcon);
}
