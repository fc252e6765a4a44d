#include "framework/window/Controls.h"

void CListBox::GetText(int nIndex, CString& rString) const
{
  LRESULT nLength = ::SendMessageA(m_hWnd, LB_GETTEXTLEN, nIndex, 0);
  if (nLength == LB_ERR) {
    rString.Empty();
    return;
  }
  char* pBuf = rString.GetBuffer(static_cast<int>(nLength));
  ::SendMessageA(m_hWnd, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(pBuf));
  rString.ReleaseBuffer();
}
