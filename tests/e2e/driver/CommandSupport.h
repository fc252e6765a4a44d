// What the driver's commands share: messages to the test, finding the
// window and control a command names, and list boxes and combo boxes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/Commands.h"

typedef std::vector<std::string> Args;
typedef std::vector<std::string> Lines;

// One result line on stdout: UTF-8, control characters escaped.
void PrintLine(const std::string& strText);
// A complaint on stderr; returns nCode.
int Complain(int nCode, const char* pszFormat, ...);
std::string Format(const char* pszFormat, ...);
// A decimal or 0x number, the whole word.
bool ParseNumber(const std::string& strText, long* plValue);

// The window args[0] names, waited for up to the timeout (exit 2 without).
int FindWindowOrTimeout(const std::string& strPattern, HWND* phWnd);
// The window args[0] names and its control args[1] (exit 1 without it).
int FindControlOrFail(const Args& args, HWND* phTop, HWND* phControl);
// What a person can reach: a visible, enabled control in an enabled window.
int CheckUsable(HWND hTop, HWND hControl, const Args& args);

// List boxes and combo boxes answer the same questions with different messages.
struct ListMessages
{
  UINT nGetCount, nGetCurSel, nSetCurSel;
  WORD wSelChange, wDblClk;
};

extern const ListMessages kListBox;
extern const ListMessages kComboBox;
// The messages of a list box or combo box; null for other controls.
const ListMessages* ListMessagesOf(HWND hControl);
int ReadItems(HWND hControl, const ListMessages* pMessages, Lines* pItems);

// The commands, each (arguments, result lines) -> exit code.
int QueryCaption(const Args& args, Lines* pOut);
int QueryText(const Args& args, Lines* pOut);
int QueryItems(const Args& args, Lines* pOut);
int QueryCurSel(const Args& args, Lines* pOut);
int QueryProgress(const Args& args, Lines* pOut);
int QueryEnabled(const Args& args, Lines* pOut);
int QueryVisible(const Args& args, Lines* pOut);
int QueryChecked(const Args& args, Lines* pOut);
int QueryRect(const Args& args, Lines* pOut);
int QueryDump(const Args& args, Lines* pOut);
int QueryWindows(const Args& args, Lines* pOut);
int DoWatchWindows(const Args& args, Lines* pOut);
int QueryLink(const Args& args, Lines* pOut);
int QueryCodePages(const Args& args, Lines* pOut);
int DoWait(const Args& args, Lines* pOut);
int DoGone(const Args& args, Lines* pOut);
int DoType(const Args& args, Lines* pOut);
int DoClick(const Args& args, Lines* pOut);
int DoSelect(const Args& args, Lines* pOut);
int DoDblClick(const Args& args, Lines* pOut);
int DoClose(const Args& args, Lines* pOut);
int DoSleep(const Args& args, Lines* pOut);
int DoTimeout(const Args& args, Lines* pOut);
int DoEcho(const Args& args, Lines* pOut);
