#include "setup/dialogs/AgreementDlg.h"
#include "setup/SetupData.h"
#include "setup/SetupTexts.h"

BEGIN_MESSAGE_MAP(CAgreementDlg, CDialog)
END_MESSAGE_MAP()

CAgreementDlg::CAgreementDlg(CWnd* pParent) : CDialog(IDD, pParent), m_pSetup(NULL) {}

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

  // Fixed pitch asked for, not only named: where Courier New is missing the
  // font mapper then picks another fixed-pitch face, and columns stay aligned.
  m_font.CreateFont(14, 7, 0, 0, FW_MEDIUM, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                    PROOF_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
  m_edit.SetFont(m_font, TRUE);

  const CString& strLanguage = m_pSetup->m_strLanguage;
  m_strQuestion = Text(kAgreementQuestion, strLanguage, kGermanOnlyForGER);
  if (IsGerman(strLanguage, kGermanOnlyForGER))
    SetControlTexts(*this, kAgreementGerman);

  UpdateData(FALSE);
  return TRUE;
}
