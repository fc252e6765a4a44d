// CDestinationDlg: asks for the directory to install into, and creates it.
//
// Failure convention of setup's windows (setup/dialogs/): a dialog ends
// with IDOK and its result in its fields, or with IDCANCEL; what it
// refuses it tells through the install feedback it is given, and stays.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CInstallFeedback;
class CSetupData;

class CDestinationDlg : public CDialog
{
public:
  explicit CDestinationDlg(CWnd* pParent = NULL);
  ~CDestinationDlg() override;

  enum
  {
    IDD = IDD_DESTINATION
  };

  // Inputs, set before DoModal: the script's values (the application's
  // name, the language, the default location, the payload's size), and
  // where the dialog's refusals and question go.
  const CSetupData* m_pSetup;
  CInstallFeedback* m_pFeedback;

  CString m_strPrevDir;
  CString m_strDestDir;
  CString m_strText;
  // Whether the accepted run made m_strDestDir itself (not found it there):
  // only then does going back remove it again.
  bool m_bMadeDestDir;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  DECLARE_MESSAGE_MAP()

private:
  void SetTexts();
};
