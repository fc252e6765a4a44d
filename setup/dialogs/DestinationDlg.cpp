#include "setup/dialogs/DestinationDlg.h"

BEGIN_MESSAGE_MAP(CDestinationDlg, CDialog)
END_MESSAGE_MAP()

CDestinationDlg::CDestinationDlg(CWnd* pParent) : CDialog(IDD, pParent)
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
