#include "setup/dialogs/ProgressDlg.h"
#include "setup/SetupData.h"
#include "setup/SetupTexts.h"

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg(const CSetupData& setup, CWnd* pParent) : CDialog(IDD, pParent), m_setup(setup) {}

CProgressDlg::~CProgressDlg() {}

void CProgressDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROGRESS, m_progress);
}

BOOL CProgressDlg::OnInitDialog()
{
  CDialog::OnInitDialog();

  if (IsGerman(m_setup.m_strLanguage, kGermanOnlyForGER))
    SetControlTexts(*this, kProgressGerman);
  return TRUE;
}
