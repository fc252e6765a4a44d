#include "setup/dialogs/ProgressDlg.h"
#include "setup/SetupApp.h"
#include "setup/SetupTexts.h"

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

  if (IsGerman(theApp.m_strLanguage, kGermanOnlyForGER))
    SetControlTexts(*this, kProgressGerman);
  return TRUE;
}
