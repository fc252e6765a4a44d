#include "setup/dialogs/ProgressDlg.h"
#include "setup/SetupApp.h"

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CProgressDlg::~CProgressDlg() {}

void CProgressDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROGRESS, m_progress);
}

BOOL CProgressDlg::OnInitDialog()
{
  CDialog::OnInitDialog();

  if (theApp.m_strLanguage == "GER")
  {
    SetWindowText("Installation");
    GetDlgItem(IDC_CURRENT_GROUP)->SetWindowText("Aktuell");
    GetDlgItem(IDC_PROGRESS_GROUP)->SetWindowText("Fortschritt");
    GetDlgItem(IDC_PLEASE_WAIT)->SetWindowText("Bitte warten...");
  }
  return TRUE;
}
