// CProgressDlg: the modeless, disabled window that names the file being
// extracted and shows the overall progress.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CProgressDlg : public CDialog
{
public:
  explicit CProgressDlg(CWnd* pParent = NULL);
  ~CProgressDlg() override;

  enum
  {
    IDD = IDD_PROGRESS
  };

  CProgressCtrl m_progress;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  DECLARE_MESSAGE_MAP()
};
