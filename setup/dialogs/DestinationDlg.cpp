#include "setup/dialogs/DestinationDlg.h"
#include "setup/SetupData.h"
#include "setup/SetupTexts.h"
#include "setup/install/InstallJournal.h"
#include "setup/install/InstallFeedback.h"
#include "setup/decisions/DestinationChoice.h"
#include "setup/decisions/FolderPaths.h"

BEGIN_MESSAGE_MAP(CDestinationDlg, CDialog)
END_MESSAGE_MAP()

CDestinationDlg::CDestinationDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_pSetup(NULL), m_pFeedback(NULL), m_bMadeDestDir(false)
{}

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

  CString strProposal;
  ProposeDestination(m_pSetup->m_strAppName, m_pSetup->m_strDefaultDest, m_pSetup->m_bPerUser, strProposal,
                     m_strPrevDir);

  CWnd edit = GetDlgItem(IDC_DEST_DIR);
  edit.SendMessage(EM_LIMITTEXT, kMaxPathChars);
  edit.SetWindowText(strProposal);
  UpdateData(FALSE);
  return TRUE;
}

void CDestinationDlg::SetTexts()
{
  const CString& strLanguage = m_pSetup->m_strLanguage;
  m_strText.Format(Text(kDestinationPrompt, strLanguage, kEnglishOnlyForENG),
                   static_cast<const char*>(m_pSetup->m_strAppName));
  if (IsGerman(strLanguage, kEnglishOnlyForENG))
    SetControlTexts(*this, kDestinationGerman);
}

void CDestinationDlg::OnOK()
{
  CString strTyped;
  GetDlgItemText(IDC_DEST_DIR, strTyped);
  // An installation there that never ended is undone first.
  if (!CInstallJournal::RollBackUnfinished(strTyped, m_pFeedback->Log())) {
    m_pFeedback->Tell(Text(kEarlierNotUndoneText, m_pSetup->m_strLanguage, kEnglishOnlyForENG), kErrorCaption,
                      MB_OK | MB_ICONEXCLAMATION, IDOK, this);
    return;
  }
  // A text over the limit (a program can set one) is refused, not cut.
  const DestinationCheck check = CheckDestination(strTyped, m_strPrevDir, m_pSetup->m_nTotalSize);
  if (check.verdict != kDestTooLong)
    m_strDestDir = check.strPath;
  m_bMadeDestDir = check.bMade;
  switch (check.verdict) {
  case kDestAccepted: break;
  case kDestExists:
    if (m_pFeedback->Tell(kDirectoryExists, kWarningCaption, MB_YESNO | MB_ICONEXCLAMATION, IDYES, this) != IDYES)
      return;
    break;
  default: {
    UINT nIcon;
    const CString strText = DescribeDestinationRefusal(check, nIcon);
    m_pFeedback->Tell(strText, kErrorCaption, MB_OK | nIcon, IDOK, this);
    return;
  }
  }
  CDialog::OnOK();
}
