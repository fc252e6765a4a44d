// CInitDlg: the caption-less "Initializing Setup..." box, shown while setup
// reads its own file; the background window hides it.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CInitDlg : public CDialog
{
public:
  explicit CInitDlg(CWnd* pParent = NULL);
  ~CInitDlg() override;

  enum
  {
    IDD = IDD_INIT
  };

protected:
  void DoDataExchange(CDataExchange* pDX) override;

  DECLARE_MESSAGE_MAP()
};
