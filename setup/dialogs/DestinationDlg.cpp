#include "setup/dialogs/DestinationDlg.h"
#include "setup/SetupApp.h"
#include "setup/SetupTexts.h"
#include "setup/dialogs/DestinationChoice.h"
#include "setup/dialogs/FolderPaths.h"

BEGIN_MESSAGE_MAP(CDestinationDlg, CDialog)
END_MESSAGE_MAP()

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

  char szProposal[260];
  ProposeDestination(theApp.m_strAppName, theApp.m_strDefaultDest, szProposal, m_szPrevDir);

  CWnd edit = GetDlgItem(IDC_DEST_DIR);
  edit.SendMessage(EM_LIMITTEXT, kMaxPathChars);
  edit.SetWindowText(szProposal);
  UpdateData(FALSE);
  return TRUE;
}

void CDestinationDlg::SetTexts()
{
  const CString& strLanguage = theApp.m_strLanguage;
  m_strText.Format(Text(kDestinationPrompt, strLanguage, kEnglishOnlyForENG),
                   static_cast<const char*>(theApp.m_strAppName));
  if (IsGerman(strLanguage, kEnglishOnlyForENG))
    SetControlTexts(*this, kDestinationGerman);
}

void CDestinationDlg::OnOK()
{
  CString strTyped;
  GetDlgItemText(IDC_DEST_DIR, strTyped);
  // A text over the limit (a program can set one) is refused, not cut.
  if (strTyped.GetLength() <= kMaxPathChars)
    CopyCut(m_szDestDir, sizeof(m_szDestDir), strTyped);
  const DestinationCheck check = CheckDestination(strTyped, m_szPrevDir, theApp.m_nTotalSize);
  m_bMadeDestDir = check.bMade;
  switch (check.verdict) {
  case kDestAccepted: break;
  case kDestExists:
    if (::MessageBoxA(m_hWnd, kDirectoryExists, kWarningCaption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
      return;
    break;
  default: {
    UINT nIcon;
    const CString strText = DescribeDestinationRefusal(check, strTyped, nIcon);
    ShowError(strText, nIcon);
    return;
  }
  }
  CDialog::OnOK();
}

void CDestinationDlg::ShowError(const char* lpszText, UINT nIcon)
{
  ::MessageBoxA(m_hWnd, lpszText, kErrorCaption, MB_OK | nIcon);
}
