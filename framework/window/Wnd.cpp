#include "framework/window/Wnd.h"
#include "framework/window/Gdi.h"
#include "framework/os/System.h"

#include <stdlib.h>

void CWnd::SetWindowText(const char* lpszString) { ::SetWindowTextW(m_hWnd, CWideText(lpszString)); }

void CWnd::GetWindowText(CString& rString) const
{
  // WM_GETTEXT, not GetWindowText: another process's edit control answers
  // with what it shows.
  const int nUnits = static_cast<int>(::SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0));
  WCHAR* pText = static_cast<WCHAR*>(malloc((static_cast<size_t>(nUnits) + 1) * sizeof(WCHAR)));
  if (pText == NULL) {
    rString.Empty();
    return;
  }
  const int nGot = static_cast<int>(
      ::SendMessageW(m_hWnd, WM_GETTEXT, static_cast<WPARAM>(nUnits) + 1, reinterpret_cast<LPARAM>(pText)));
  rString = Utf8FromWide(pText, nGot);
  free(pText);
}

BOOL CWnd::DestroyWindow()
{
  if (m_hWnd == NULL)
    return FALSE;
  BOOL bResult = ::DestroyWindow(m_hWnd);
  m_hWnd = NULL;
  return bResult;
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType)
{
  return ShowMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, AfxSig_end, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

static bool EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam)
{
  if (entry.nMessage != message)
    return false;
  if (message != WM_COMMAND)
    return true;
  return entry.nID == LOWORD(wParam) && entry.nCode == HIWORD(wParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult)
{
  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry) {
      if (!EntryMatches(*pEntry, message, wParam))
        continue;
      switch (pEntry->nSig) {
      case AfxSig_vv:
        (this->*pEntry->pfn)();
        *pResult = 0;
        break;
      case AfxSig_hv: *pResult = reinterpret_cast<LRESULT>((this->*pEntry->pfnHcursor)()); break;
      default: return FALSE;
      }
      return TRUE;
    }
  }
  return FALSE;
}
