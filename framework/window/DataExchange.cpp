#include "framework/window/DataExchange.h"

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
  if (pDX->m_bSaveAndValidate)
    pDX->m_pDlgWnd->GetDlgItemText(nIDC, value);
  else
    pDX->m_pDlgWnd->SetDlgItemText(nIDC, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
  CWnd combo = pDX->m_pDlgWnd->GetDlgItem(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(combo.SendMessage(CB_GETCURSEL));
  else
    combo.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
  rControl.m_hWnd = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
}
