#include "setup/dialogs/AgreementDlg.h"
#include "setup/SetupApp.h"
#include "setup/SetupTexts.h"

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

  m_font.CreateFont(14, 7, 0, 0, FW_MEDIUM, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                    PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Courier New");
  m_edit.SetFont(m_font, TRUE);

  m_strQuestion = Text(kAgreementQuestion, theApp.m_strLanguage, kGermanOnlyForGER);
  if (IsGerman(theApp.m_strLanguage, kGermanOnlyForGER))
    SetControlTexts(*this, kAgreementGerman);

  UpdateData(FALSE);
  return TRUE;
}
