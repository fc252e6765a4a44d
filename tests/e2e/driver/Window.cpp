#include "tests/e2e/driver/Window.h"

#include <vector>

#include "tests/e2e/driver/Text.h"

DWORD g_dwTimeout = 5000;

static const DWORD kPollMs = 50;

bool CaptionMatches(const std::string& strCaption, const std::string& strPattern)
{
  if (!strPattern.empty() && strPattern.back() == '*')
    return strCaption.compare(0, strPattern.size() - 1, strPattern, 0, strPattern.size() - 1) == 0;
  return strCaption == strPattern;
}

std::string CaptionOf(HWND hWnd)
{
  WCHAR szText[1024] = L"";
  GetWindowTextW(hWnd, szText, sizeof(szText) / sizeof(szText[0]));
  return WideToUtf8(szText);
}

std::string ClassOf(HWND hWnd)
{
  WCHAR szClass[256] = L"";
  GetClassNameW(hWnd, szClass, sizeof(szClass) / sizeof(szClass[0]));
  return WideToUtf8(szClass);
}

static BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
  return TRUE;
}

HWND FindTopWindow(const std::string& strPattern)
{
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  HWND hDisabled = nullptr;
  for (HWND hWnd : windows) {
    if (!IsWindowVisible(hWnd) || !CaptionMatches(CaptionOf(hWnd), strPattern))
      continue;
    if (IsWindowEnabled(hWnd))
      return hWnd;
    if (!hDisabled)
      hDisabled = hWnd;
  }
  return hDisabled;
}

HWND WaitTopWindow(const std::string& strPattern, DWORD dwTimeout)
{
  DWORD dwStart = GetTickCount();
  for (;;) {
    HWND hWnd = FindTopWindow(strPattern);
    if (hWnd || GetTickCount() - dwStart >= dwTimeout)
      return hWnd;
    Sleep(kPollMs);
  }
}

bool WaitTopWindowGone(const std::string& strPattern, DWORD dwTimeout)
{
  DWORD dwStart = GetTickCount();
  for (;;) {
    if (!FindTopWindow(strPattern))
      return true;
    if (GetTickCount() - dwStart >= dwTimeout)
      return false;
    Sleep(kPollMs);
  }
}

struct ControlSearch
{
  int nId;
  HWND hFound;
};

static BOOL CALLBACK MatchControlId(HWND hWnd, LPARAM lParam)
{
  ControlSearch* pSearch = reinterpret_cast<ControlSearch*>(lParam);
  if (GetDlgCtrlID(hWnd) == pSearch->nId) {
    pSearch->hFound = hWnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindControl(HWND hParent, int nId)
{
  HWND hControl = GetDlgItem(hParent, nId);
  if (hControl)
    return hControl;
  ControlSearch search = {nId, nullptr};
  EnumChildWindows(hParent, MatchControlId, reinterpret_cast<LPARAM>(&search));
  return search.hFound;
}

// Strings cross the process boundary as UTF-16, whatever the system code
// page: every message goes in its wide form.
bool SendWithTimeout(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* plResult)
{
  DWORD_PTR dwResult = 0;
  if (!SendMessageTimeoutW(hWnd, nMsg, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, g_dwTimeout, &dwResult))
    return false;
  if (plResult)
    *plResult = static_cast<LRESULT>(dwResult);
  return true;
}

// A string that a message copies out: its length by one message, its
// characters by another.
static bool ReadString(HWND hWnd, UINT nMsgLength, UINT nMsgText, WPARAM wIndex, std::string* pstrText)
{
  LRESULT lLength = 0;
  if (!SendWithTimeout(hWnd, nMsgLength, wIndex, 0, &lLength) || lLength < 0)
    return false;
  std::vector<WCHAR> buffer(static_cast<size_t>(lLength) + 1, L'\0');
  WPARAM wParam = nMsgText == WM_GETTEXT ? buffer.size() : wIndex;
  LRESULT lCopied = 0;
  if (!SendWithTimeout(hWnd, nMsgText, wParam, reinterpret_cast<LPARAM>(buffer.data()), &lCopied) || lCopied < 0)
    return false;
  buffer.back() = L'\0';
  *pstrText = WideToUtf8(buffer.data());
  return true;
}

std::string TextOf(HWND hWnd)
{
  std::string strText;
  if (ReadString(hWnd, WM_GETTEXTLENGTH, WM_GETTEXT, 0, &strText))
    return strText;
  WCHAR szText[4096] = L"";
  InternalGetWindowText(hWnd, szText, sizeof(szText) / sizeof(szText[0]));
  return WideToUtf8(szText);
}

bool SetTextOf(HWND hWnd, const std::string& strText)
{
  std::wstring strWide = Utf8ToWide(strText);
  return SendWithTimeout(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strWide.c_str()), nullptr);
}

bool ItemTextOf(HWND hList, bool bComboBox, int nIndex, std::string* pstrText)
{
  return ReadString(hList, bComboBox ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, bComboBox ? CB_GETLBTEXT : LB_GETTEXT,
                    static_cast<WPARAM>(nIndex), pstrText);
}

static void CALLBACK MarkDelivered(HWND, UINT, ULONG_PTR dwData, LRESULT) { *reinterpret_cast<bool*>(dwData) = true; }

// The visible top-level windows of one thread.
static std::vector<HWND> ThreadWindows(DWORD dwThread)
{
  std::vector<HWND> all, ofThread;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND hWnd : all)
    if (IsWindowVisible(hWnd) && GetWindowThreadProcessId(hWnd, nullptr) == dwThread)
      ofThread.push_back(hWnd);
  return ofThread;
}

static bool HasNewWindow(const std::vector<HWND>& before, DWORD dwThread)
{
  for (HWND hWnd : ThreadWindows(dwThread)) {
    bool bKnown = false;
    for (HWND hOld : before)
      bKnown = bKnown || hOld == hWnd;
    if (!bKnown)
      return true;
  }
  return false;
}

void Deliver(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
  HWND hTop = GetAncestor(hWnd, GA_ROOT);
  DWORD dwThread = GetWindowThreadProcessId(hWnd, nullptr);
  std::vector<HWND> before = ThreadWindows(dwThread);
  bool bDelivered = false;
  if (!SendMessageCallbackW(hWnd, nMsg, wParam, lParam, MarkDelivered, reinterpret_cast<ULONG_PTR>(&bDelivered))) {
    PostMessageW(hWnd, nMsg, wParam, lParam);
    return;
  }
  DWORD dwStart = GetTickCount();
  while (!bDelivered && GetTickCount() - dwStart < g_dwTimeout) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&msg);
    if (bDelivered)
      break;
    // A modal loop started by the message (a message box, a further dialog)
    // disables the owner or shows a new window; a dialog that ended is gone.
    // Either way the message has been taken.
    if (!IsWindow(hWnd) || !IsWindowEnabled(hTop) || HasNewWindow(before, dwThread))
      break;
  }
}
