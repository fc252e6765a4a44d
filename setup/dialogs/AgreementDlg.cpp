#include "setup/dialogs/AgreementDlg.h"
#include "setup/SetupApp.h"

BEGIN_MESSAGE_MAP(CAgreementDlg, CDialog)
END_MESSAGE_MAP()

CAgreementDlg::CAgreementDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CAgreementDlg::~CAgreementDlg() {}

void CAgreementDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_AGREEMENT_TEXT, m_edit);
  DDX_Text(pDX, IDC_AGREEMENT_TEXT, m_strText);
  DDX_Text(pDX, IDC_QUESTION, m_strQuestion);
}

BOOL CAgreementDlg::OnInitDialog()
{
  CDialog::OnInitDialog();

  m_font.CreateFont(14, 7, 0, 0, FW_MEDIUM, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Courier New");
  m_edit.SetFont(m_font, TRUE);

  if (theApp.m_strLanguage == "GER")
  {
    m_strQuestion = "Akzeptieren Sie die obengenannten Bedingungen?";
    SetWindowText("Vereinbarung");
    GetDlgItem(IDCANCEL)->SetWindowText("Nein");
    GetDlgItem(IDOK)->SetWindowText("Ja");
  }
  else
  {
    m_strQuestion = "Do you accept the terms stated above?";
  }

  UpdateData(FALSE);
  return TRUE;
}
