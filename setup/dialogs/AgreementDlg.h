// CAgreementDlg: shows the script's agreement text, unwrapped in a fixed
// pitch font, and asks Yes or No.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CSetupData;

class CAgreementDlg : public CDialog
{
public:
  explicit CAgreementDlg(CWnd* pParent = NULL);
  ~CAgreementDlg() override;

  enum
  {
    IDD = IDD_AGREEMENT
  };

  // Input, set before DoModal: the script's values (the language).
  const CSetupData* m_pSetup;

  CFont m_font;
  CEdit m_edit;
  CString m_strText;
  CString m_strQuestion;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  DECLARE_MESSAGE_MAP()
};
