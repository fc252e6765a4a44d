#include "setup/dialogs/StartMenuDlg.h"
#include <errno.h>
#include "common/InstallNames.h"
#include "setup/SetupApp.h"
#include "setup/dialogs/FolderPaths.h"

BEGIN_MESSAGE_MAP(CStartMenuDlg, CDialog)
  ON_LBN_DBLCLK(IDC_FOLDER_LIST, &CStartMenuDlg::OnDblclkFolderList)
  ON_CBN_SELCHANGE(IDC_SCOPE, &CStartMenuDlg::OnSelchangeScope)
END_MESSAGE_MAP()

namespace {

const char kParentEntry[] = "..";
const char kPathNotFound[] = "Could not create! (path not found)";
const char kFileExists[] = "A file of the same name already exists.\nPlease Choose a different location.";
const char kPathTooLong[] = "The path is too long.\nPlease choose a shorter one.";
const char kNoProgramsFolder[] = "The start menu folder cannot be found.\nPlease choose the other start menu.";
const char kNotInStartMenu[] = "Please enter the name of a folder\nwithin the start menu.";

}  // namespace

CStartMenuDlg::CStartMenuDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nScope(1)
{
  m_szCurDir[0] = '\0';
  m_szProgramsDir[0] = '\0';
  m_szFolder[0] = '\0';
}

CStartMenuDlg::~CStartMenuDlg() {}

void CStartMenuDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FOLDER_LIST, m_folderList);
  DDX_CBIndex(pDX, IDC_SCOPE, m_nScope);
  DDX_Text(pDX, IDC_TEXT, m_strText);
}

BOOL CStartMenuDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  SetTexts();
  UpdateData(FALSE);
  GetDlgItem(IDC_FOLDER)->SendMessage(EM_LIMITTEXT, kMaxPathChars);
  ShowProgramsRoot();
  return TRUE;
}

void CStartMenuDlg::SetTexts()
{
  const CString& strApp = theApp.m_strAppName;
  if (theApp.m_strLanguage == "ENG")
  {
    m_strText = "Please enter a folder, in which " + strApp +
                "'s icons are to appear.\nBrowse through existing folders by double clicking on the list below.";
    return;
  }
  SetWindowText("Startmen" "\xfc" "verzeichnis w" "\xe4" "hlen");
  m_strText = "Geben Sie ein Startmen" "\xfc" "verzeichnis f" "\xfc" "r die Symbole von " + strApp +
              " an. W" "\xe4" "hlen Sie aus existierenden Verzeichnissen, indem Sie auf die untenstehende Liste "
              "doppelklicken.";
  GetDlgItem(IDC_SCOPE_LABEL)->SetWindowText("Startmen" "\xfc" ":");
  GetDlgItem(IDCANCEL)->SetWindowText("Zur" "\xfc" "ck");
}

void CStartMenuDlg::OnSelchangeScope() { ShowProgramsRoot(); }

void CStartMenuDlg::ShowProgramsRoot()
{
  const int nPrevScope = m_nScope;
  UpdateData(TRUE);
  ReadProgramsDir(nPrevScope);
  FillFolderList(m_szProgramsDir);
  SetDlgItemText(IDC_FOLDER, theApp.m_strAppName);
}

void CStartMenuDlg::ReadProgramsDir(int nPrevScope)
{
  char szFolder[260];
  CopyCut(szFolder, sizeof(szFolder), m_szProgramsDir);
  const BOOL bFailed = m_nScope == 0 ? theApp.GetShellFolder("Common Programs", szFolder, HKEY_LOCAL_MACHINE)
                                     : theApp.GetShellFolder("Programs", szFolder, HKEY_CURRENT_USER);
  if (!bFailed)
  {
    szFolder[kMaxPathChars] = '\0';
    CopyCut(m_szProgramsDir, sizeof(m_szProgramsDir), szFolder);
  }
  else if (m_szProgramsDir[0] != '\0' && nPrevScope != m_nScope)
  {
    // The combo box keeps naming the folder that the list shows.
    m_nScope = nPrevScope;
    UpdateData(FALSE);
  }
}

void CStartMenuDlg::FillFolderList(const char* lpszFolder)
{
  char szFolder[260];
  CopyCut(szFolder, sizeof(szFolder), lpszFolder);
  m_folderList.ResetContent();
  CopyCut(m_szCurDir, sizeof(m_szCurDir), szFolder);

  // No Programs folder known: list nothing rather than the current drive's root.
  if (szFolder[0] != '\0')
  {
    CString strPattern;
    strPattern.Format("%s\\*.*", szFolder);
    struct _finddata_t entry;
    const intptr_t hFind = _findfirst(strPattern, &entry);
    if (hFind != -1)
    {
      do
      {
        if ((entry.attrib & _A_SUBDIR) != 0 && entry.name[0] != '.')
          m_folderList.AddString(entry.name);
      } while (_findnext(hFind, &entry) == 0);
      _findclose(hFind);
    }
  }
  if (strcmp(m_szCurDir, m_szProgramsDir) != 0)
    m_folderList.AddString(kParentEntry);
}

void CStartMenuDlg::OnDblclkFolderList()
{
  const int nSelected = m_folderList.GetCurSel();
  if (nSelected == LB_ERR)
    return;
  CString strEntry;
  m_folderList.GetText(nSelected, strEntry);

  char szNewDir[260];
  if (strEntry == kParentEntry)
  {
    CopyCut(szNewDir, sizeof(szNewDir), m_szCurDir);
    char* pLastSeparator = strrchr(szNewDir, '\\');
    if (pLastSeparator != NULL)
      *pLastSeparator = '\0';
  }
  else if (!JoinPath(szNewDir, sizeof(szNewDir), m_szCurDir, strEntry))
  {
    ShowError(kPathTooLong);
    return;
  }

  // The proposal, relative to the Programs folder.
  CString strProposal;
  strProposal.Format("%s\\%s", szNewDir, static_cast<const char*>(theApp.m_strAppName));
  const int nRootLength = static_cast<int>(strlen(m_szProgramsDir)) + 1;
  SetDlgItemText(IDC_FOLDER, strProposal.GetLength() >= nRootLength ? strProposal.Mid(nRootLength)
                                                                     : theApp.m_strAppName);
  FillFolderList(szNewDir);
}

void CStartMenuDlg::OnOK()
{
  CWnd edit = GetDlgItem(IDC_FOLDER);
  CString strTyped;
  edit.GetWindowText(strTyped);
  if (m_szProgramsDir[0] == '\0')
  {
    ShowError(kNoProgramsFolder);
    return;
  }
  // The program group lies inside the start menu: an empty name would be
  // the Programs folder itself, which the uninstaller would then try to
  // remove with the last shortcut; ".." or a drive would leave it.
  if (!IsInsideInstallation(strTyped))
  {
    ShowError(kNotInStartMenu);
    return;
  }
  if (strTyped.GetLength() > kMaxPathChars ||
      !JoinPath(m_szFolder, sizeof(m_szFolder), m_szProgramsDir, strTyped))
  {
    ShowError(kPathTooLong);
    return;
  }

  // One level only: the person creates deeper groups step by step.
  if (_mkdir(m_szFolder) != 0)
  {
    const int nError = errno;
    const PathKind kind = ExaminePath(m_szFolder);
    if (nError == ENOENT)
    {
      ShowError(kPathNotFound);
      return;
    }
    if (nError == EEXIST && kind == kPathFile)
    {
      ShowError(kFileExists);
      return;
    }
    // An existing folder is reused; anything else must be a folder by now.
    if (kind != kPathDirectory)
    {
      ShowError(kPathNotFound);
      return;
    }
  }
  CDialog::OnOK();
}

void CStartMenuDlg::ShowError(const char* lpszText) { ::MessageBoxA(m_hWnd, lpszText, "Error", MB_OK); }
