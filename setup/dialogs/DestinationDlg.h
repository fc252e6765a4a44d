// CDestinationDlg: asks for the directory to install into, and creates it.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CDestinationDlg : public CDialog
{
public:
  explicit CDestinationDlg(CWnd* pParent = NULL);
  ~CDestinationDlg() override;

  enum
  {
    IDD = IDD_DESTINATION
  };

  char m_szPrevDir[260];
  char m_szDestDir[260];
  CString m_strText;
  // Whether the accepted run made m_szDestDir itself (not found it there):
  // only then does going back remove it again.
  bool m_bMadeDestDir;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  DECLARE_MESSAGE_MAP()

private:
  void SetTexts();
  void ShowError(const char* lpszText, UINT nIcon);
};
