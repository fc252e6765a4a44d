// The standard controls, as thin CWnd views bound by DDX_Control.
#pragma once
#include "framework/os/Unicode.h"
#include "framework/window/Wnd.h"
#include <commctrl.h>

class CStatic : public CWnd
{
public:
  HBITMAP SetBitmap(HBITMAP hBitmap)
  {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
  }
};

class CEdit : public CWnd
{};

class CListBox : public CWnd
{
public:
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int AddString(const char* lpszItem)
  {
    return static_cast<int>(
        SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const WCHAR*>(CWideText(lpszItem)))));
  }
  int GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0)); }
  void GetText(int nIndex, CString& rString) const;
};

class CProgressCtrl : public CWnd
{
public:
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
  int OffsetPos(int nPos) { return static_cast<int>(SendMessage(PBM_DELTAPOS, nPos)); }
};
