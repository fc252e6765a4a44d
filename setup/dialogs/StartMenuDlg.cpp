#include "setup/dialogs/StartMenuDlg.h"
#include "common/JoinPath.h"
#include "setup/SetupApp.h"
#include "setup/SetupTexts.h"
#include "setup/dialogs/FolderPaths.h"
#include "setup/dialogs/ProgramGroupChoice.h"

BEGIN_MESSAGE_MAP(CStartMenuDlg, CDialog)
ON_LBN_DBLCLK(IDC_FOLDER_LIST, &CStartMenuDlg::OnDblclkFolderList)
ON_CBN_SELCHANGE(IDC_SCOPE, &CStartMenuDlg::OnSelchangeScope)
END_MESSAGE_MAP()

namespace {

const char kParentEntry[] = "..";

}  // namespace

CStartMenuDlg::CStartMenuDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nScope(kDefaultScope)
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
  const CString& strLanguage = theApp.m_strLanguage;
  m_strText.Format(Text(kStartMenuPrompt, strLanguage, kEnglishOnlyForENG),
                   static_cast<const char*>(theApp.m_strAppName));
  if (IsGerman(strLanguage, kEnglishOnlyForENG))
    SetControlTexts(*this, kStartMenuGerman);
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
  if (!ReadProgramsFolder(m_nScope, m_szProgramsDir) && m_szProgramsDir[0] != '\0' && nPrevScope != m_nScope) {
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
  if (szFolder[0] != '\0') {
    CString strPattern;
    strPattern.Format("%s\\*.*", szFolder);
    struct _finddata_t entry;
    const intptr_t hFind = _findfirst(strPattern, &entry);
    if (hFind != -1) {
      do {
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
  if (strEntry == kParentEntry) {
    CopyCut(szNewDir, sizeof(szNewDir), m_szCurDir);
    char* pLastSeparator = strrchr(szNewDir, '\\');
    if (pLastSeparator != NULL)
      *pLastSeparator = '\0';
  } else if (!JoinPath(szNewDir, sizeof(szNewDir), m_szCurDir, strEntry)) {
    ShowError(DescribeGroupRefusal(kGroupTooLong));
    return;
  }

  // The proposal, relative to the Programs folder.
  CString strProposal;
  strProposal.Format("%s\\%s", szNewDir, static_cast<const char*>(theApp.m_strAppName));
  const int nRootLength = static_cast<int>(strlen(m_szProgramsDir)) + 1;
  SetDlgItemText(IDC_FOLDER,
                 strProposal.GetLength() >= nRootLength ? strProposal.Mid(nRootLength) : theApp.m_strAppName);
  FillFolderList(szNewDir);
}

void CStartMenuDlg::OnOK()
{
  CString strTyped;
  GetDlgItemText(IDC_FOLDER, strTyped);
  const GroupVerdict verdict = CreateProgramGroup(m_szProgramsDir, strTyped, m_szFolder);
  if (verdict != kGroupAccepted) {
    ShowError(DescribeGroupRefusal(verdict));
    return;
  }
  CDialog::OnOK();
}

void CStartMenuDlg::ShowError(const char* lpszText) { ::MessageBoxA(m_hWnd, lpszText, kErrorCaption, MB_OK); }
