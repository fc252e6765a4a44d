#include "setup/dialogs/StartMenuDlg.h"

BEGIN_MESSAGE_MAP(CStartMenuDlg, CDialog)
END_MESSAGE_MAP()

CStartMenuDlg::CStartMenuDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nScope(1)
{
  m_szCurDir[0] = '\0';
  m_szProgramsDir[0] = '\0';
  m_szFolder[0] = '\0';
}

CStartMenuDlg::~CStartMenuDlg() {}

void CStartMenuDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FOLDER_LIST, m_folderList);
  DDX_CBIndex(pDX, IDC_SCOPE, m_nScope);
  DDX_Text(pDX, IDC_TEXT, m_strText);
}
