#include "setup/dialogs/DestinationDlg.h"
#include "setup/SetupApp.h"
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

void CDestinationDlg::OnOK()
{
  CString strTyped;
  GetDlgItemText(IDC_DEST_DIR, strTyped);
  // A text over the limit (a program can set one) is refused, not cut.
  if (strTyped.GetLength() <= kMaxPathChars)
    CopyCut(m_szDestDir, sizeof(m_szDestDir), strTyped);
  const DestinationCheck check = CheckDestination(strTyped, m_szPrevDir, theApp.m_nTotalSize);
  m_bMadeDestDir = check.bMade;
  switch (check.verdict)
  {
  case kDestAccepted:
    break;
  case kDestExists:
    if (::MessageBoxA(m_hWnd, kDirectoryExists, "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
      return;
    break;
  default:
  {
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
  ::MessageBoxA(m_hWnd, lpszText, "Error", MB_OK | nIcon);
}
