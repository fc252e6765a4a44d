// Finding the windows of the program under test and talking to them without
// ever hanging on a program that does not answer.
#pragma once
#include <windows.h>
#include <string>

// Milliseconds to wait for a window, a control or an answer.
extern DWORD g_dwTimeout;

// A caption pattern matches a caption exactly, or, when it ends in '*', as a
// prefix.
bool CaptionMatches(const std::string& strCaption, const std::string& strPattern);

// The topmost visible top-level window whose caption matches; enabled ones
// win over disabled ones (the owner of a modal dialog is disabled).
HWND FindTopWindow(const std::string& strPattern);
HWND WaitTopWindow(const std::string& strPattern, DWORD dwTimeout);
bool WaitTopWindowGone(const std::string& strPattern, DWORD dwTimeout);

// A control by its id, searched among all descendants when it is not a
// direct child.
HWND FindControl(HWND hParent, int nId);

std::string CaptionOf(HWND hWnd);
std::string ClassOf(HWND hWnd);
// A control's text through WM_GETTEXT; the window's stored text when the
// program does not answer in time.
std::string TextOf(HWND hWnd);
// Sets a control's text (WM_SETTEXT); false when it does not answer.
bool SetTextOf(HWND hWnd, const std::string& strText);
// One entry of a list box or combo box; false when it cannot be read.
bool ItemTextOf(HWND hList, bool bComboBox, int nIndex, std::string* pstrText);

// SendMessageTimeout with the global timeout; false when it did not answer.
bool SendWithTimeout(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* plResult);

// Delivers a message that may start a modal loop in the receiver (a click
// that opens a message box). Returns once the receiver has handled it, or
// once it has become modal, destroyed the window, or the timeout passed.
void Deliver(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
