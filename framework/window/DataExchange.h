// Dialog data exchange: DoDataExchange lists the DDX_ calls that move
// values between a dialog's fields and its controls, in either direction.
#pragma once
#include "framework/window/Wnd.h"

class CDataExchange
{
public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to fields
  CWnd* m_pDlgWnd;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// The combo box's selected index; -1 when none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Binds rControl to the control, in both directions: a dialog that runs
// again has new control windows.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
