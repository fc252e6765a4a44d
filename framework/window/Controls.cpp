#include "framework/window/Controls.h"

#include <stdlib.h>

void CListBox::GetText(int nIndex, CString& rString) const
{
  rString.Empty();
  const LRESULT nUnits = ::SendMessageW(m_hWnd, LB_GETTEXTLEN, nIndex, 0);
  if (nUnits == LB_ERR)
    return;
  WCHAR* pText = static_cast<WCHAR*>(malloc((static_cast<size_t>(nUnits) + 1) * sizeof(WCHAR)));
  if (pText == NULL)
    return;
  const LRESULT nGot = ::SendMessageW(m_hWnd, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(pText));
  if (nGot != LB_ERR)
    rString = Utf8FromWide(pText, static_cast<int>(nGot));
  free(pText);
}
