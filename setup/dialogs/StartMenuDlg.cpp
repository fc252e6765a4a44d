#include "setup/dialogs/StartMenuDlg.h"
#include "common/JoinPath.h"
#include "framework/os/FolderScan.h"
#include "framework/os/Unicode.h"
#include "setup/SetupData.h"
#include "setup/SetupTexts.h"
#include "setup/install/InstallFeedback.h"
#include "setup/decisions/FolderPaths.h"
#include "setup/decisions/ProgramGroupChoice.h"

BEGIN_MESSAGE_MAP(CStartMenuDlg, CDialog)
ON_LBN_DBLCLK(IDC_FOLDER_LIST, &CStartMenuDlg::OnDblclkFolderList)
ON_CBN_SELCHANGE(IDC_SCOPE, &CStartMenuDlg::OnSelchangeScope)
END_MESSAGE_MAP()

namespace {

const char kParentEntry[] = "..";

}  // namespace

CStartMenuDlg::CStartMenuDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_pSetup(NULL), m_pFeedback(NULL), m_bMadeFolder(false), m_nScope(kDefaultScope)
{}

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
  // A per-user installation puts its links into the person's own start menu.
  if (m_pSetup->m_bPerUser) {
    m_nScope = kScopeCurrentUser;
    GetDlgItem(IDC_SCOPE)->EnableWindow(FALSE);
  }
  UpdateData(FALSE);
  GetDlgItem(IDC_FOLDER)->SendMessage(EM_LIMITTEXT, kMaxPathChars);
  ShowProgramsRoot();
  return TRUE;
}

void CStartMenuDlg::SetTexts()
{
  const CString& strLanguage = m_pSetup->m_strLanguage;
  m_strText.Format(Text(kStartMenuPrompt, strLanguage, kEnglishOnlyForENG), AppName());
  if (IsGerman(strLanguage, kEnglishOnlyForENG))
    SetControlTexts(*this, kStartMenuGerman);
}

void CStartMenuDlg::OnSelchangeScope() { ShowProgramsRoot(); }

void CStartMenuDlg::ShowProgramsRoot()
{
  const int nPrevScope = m_nScope;
  UpdateData(TRUE);
  ReadProgramsDir(nPrevScope);
  FillFolderList(m_strProgramsDir);
  SetDlgItemText(IDC_FOLDER, AppName());
}

const char* CStartMenuDlg::AppName() const { return m_pSetup->m_strAppName; }

void CStartMenuDlg::ReadProgramsDir(int nPrevScope)
{
  if (!ReadProgramsFolder(m_nScope, m_strProgramsDir) && !m_strProgramsDir.IsEmpty() && nPrevScope != m_nScope) {
    // The combo box keeps naming the folder that the list shows.
    m_nScope = nPrevScope;
    UpdateData(FALSE);
  }
}

void CStartMenuDlg::FillFolderList(const char* lpszFolder)
{
  const CString strFolder(lpszFolder);
  m_folderList.ResetContent();
  m_strCurDir = strFolder;

  // No Programs folder known: list nothing rather than the current drive's root.
  CFolderScan scan;
  if (!strFolder.IsEmpty() && scan.First(JoinPath(strFolder, "*.*"))) {
    do {
      if (scan.IsFolder() && !scan.IsDotName())
        m_folderList.AddString(scan.Name());
    } while (scan.Next());
  }
  if (m_strCurDir != m_strProgramsDir)
    m_folderList.AddString(kParentEntry);
}

void CStartMenuDlg::OnDblclkFolderList()
{
  const int nSelected = m_folderList.GetCurSel();
  if (nSelected == LB_ERR)
    return;
  CString strEntry;
  m_folderList.GetText(nSelected, strEntry);

  CString strNewDir;
  if (strEntry == kParentEntry) {
    const int nLastSeparator = m_strCurDir.ReverseFind('\\');
    strNewDir = nLastSeparator >= 0 ? m_strCurDir.Left(nLastSeparator) : m_strCurDir;
  } else {
    strNewDir = JoinPath(m_strCurDir, strEntry);
    if (WideLength(strNewDir) > kMaxPathChars) {
      ShowError(DescribeGroupRefusal(kGroupTooLong));
      return;
    }
  }

  // The proposal, relative to the Programs folder.
  const CString strProposal = JoinPath(strNewDir, AppName());
  const int nRootLength = m_strProgramsDir.GetLength() + 1;
  SetDlgItemText(IDC_FOLDER,
                 strProposal.GetLength() >= nRootLength ? strProposal.Mid(nRootLength) : CString(AppName()));
  FillFolderList(strNewDir);
}

void CStartMenuDlg::OnOK()
{
  CString strTyped;
  GetDlgItemText(IDC_FOLDER, strTyped);
  const GroupVerdict verdict = CreateProgramGroup(m_strProgramsDir, strTyped, m_strFolder, m_bMadeFolder);
  if (verdict != kGroupAccepted) {
    ShowError(DescribeGroupRefusal(verdict));
    return;
  }
  CDialog::OnOK();
}

void CStartMenuDlg::ShowError(const char* lpszText) { m_pFeedback->Tell(lpszText, kErrorCaption, MB_OK, IDOK, this); }
