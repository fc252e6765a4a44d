// CProgressDlg: the modeless, disabled window that names the file being
// extracted and shows the overall progress.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CSetupData;

class CProgressDlg : public CDialog
{
public:
  // setup: the script's values (the language).
  explicit CProgressDlg(const CSetupData& setup, CWnd* pParent = NULL);
  ~CProgressDlg() override;

  enum
  {
    IDD = IDD_PROGRESS
  };

  const CSetupData& m_setup;
  CProgressCtrl m_progress;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  DECLARE_MESSAGE_MAP()
};
