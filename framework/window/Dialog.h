// CDialog: a window built from a dialog template of the program's
// resources, run modally (DoModal) or modeless (Create). One dialog
// procedure hands messages to the virtual handlers and the message map.
#pragma once
#include "framework/window/Wnd.h"

class CDataExchange;

class CDialog : public CWnd
{
public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  ~CDialog() override;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Modal: owned by the parent given at construction, else by the
  // application's main window. Returns the EndDialog result, -1 when the
  // template cannot be loaded.
  virtual INT_PTR DoModal();
  // Modeless, owned by pParentWnd when one is given. A dialog that is
  // visible when it has been created is painted before Create returns.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  // Ends a modal dialog; hides a modeless one, which stays until destroyed.
  void EndDialog(int nResult);

  // TRUE transfers the controls to the fields, FALSE the fields to the
  // controls.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  UINT m_nIDTemplate;

protected:
  // Fills combo boxes from the template's initialisation resource, then
  // transfers the fields to the controls.
  virtual BOOL OnInitDialog();
  // Transfers the controls to the fields and ends with IDOK.
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* pDX);

private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void ExecuteDlgInit();
  void CenterOverOwner();

  CWnd* m_pParentWnd;
  bool m_bModal;
};
