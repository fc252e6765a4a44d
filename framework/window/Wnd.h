// CWnd: a window handle with the calls setup makes on its windows. A CWnd
// does not own its window; dialogs destroy theirs (see CDialog).
#pragma once
#include "framework/String.h"
#include "framework/window/MessageMap.h"

class CDC;

class CWnd
{
public:
  CWnd() : m_hWnd(NULL) {}
  explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
  CWnd(const CWnd&) = default;
  CWnd& operator=(const CWnd&) = default;
  virtual ~CWnd() {}

  operator HWND() const { return m_hWnd; }

  // GetDlgItem hands out a CWnd by value, so no handle map is needed;
  // operator-> keeps the usual GetDlgItem(id)->SetWindowText(...) form.
  CWnd GetDlgItem(int nID) const { return CWnd(::GetDlgItem(m_hWnd, nID)); }
  CWnd* operator->() { return this; }

  // Texts are the programs' own (UTF-8); windows take and give UTF-16.
  void SetWindowText(const char* lpszString);
  void GetWindowText(CString& rString) const;
  void SetDlgItemText(int nID, const char* lpszString) { GetDlgItem(nID).SetWindowText(lpszString); }
  void GetDlgItemText(int nID, CString& rString) const { GetDlgItem(nID).GetWindowText(rString); }

  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
  {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  void SetFont(HFONT hFont, BOOL bRedraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw); }
  virtual BOOL DestroyWindow();

  // A modal message box owned by this window (or by none, without a window).
  int MessageBox(const char* lpszText, const char* lpszCaption = NULL, UINT nType = MB_OK);

  // Looks the message up in this class's map and its bases'; TRUE when a
  // handler ran, with its result in *pResult.
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

  HWND m_hWnd;

protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};
