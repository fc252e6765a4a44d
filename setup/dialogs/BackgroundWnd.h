// CBackgroundWnd: the full-screen grey gradient with the title
// "<application> - Setup", setup's main window while it runs.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CBackgroundWnd : public CDialog
{
public:
  // lpszAppName: shown in the title; pStartupBox: the box it replaces, which
  // it ends once it is up.
  CBackgroundWnd(const char* lpszAppName, CDialog* pStartupBox, CWnd* pParent = NULL);
  ~CBackgroundWnd() override;

  enum
  {
    IDD = IDD_BACKGROUND
  };

  CStatic m_picture;
  CBitmap m_bitmap;
  HICON m_hIcon;
  CString m_strTitle;
  CDialog* m_pStartupBox;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  HCURSOR OnQueryDragIcon();

  DECLARE_MESSAGE_MAP()

private:
  void PaintGradient(CDC& dc, int nWidth, int nHeight);
  void PaintTitle(CDC& dc);
};
