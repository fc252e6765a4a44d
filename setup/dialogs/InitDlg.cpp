#include "setup/dialogs/InitDlg.h"

BEGIN_MESSAGE_MAP(CInitDlg, CDialog)
END_MESSAGE_MAP()

CInitDlg::CInitDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CInitDlg::~CInitDlg() {}

void CInitDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }
