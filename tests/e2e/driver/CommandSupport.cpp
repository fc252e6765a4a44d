#include "tests/e2e/driver/CommandSupport.h"

#include <commctrl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tests/e2e/driver/Text.h"
#include "tests/e2e/driver/Window.h"

void PrintLine(const std::string& strText)
{
  std::string strLine = EscapeControls(strText) + "\n";
  fwrite(strLine.data(), 1, strLine.size(), stdout);
  fflush(stdout);
}

int Complain(int nCode, const char* pszFormat, ...)
{
  char szMessage[2048];
  va_list args;
  va_start(args, pszFormat);
  vsnprintf(szMessage, sizeof(szMessage), pszFormat, args);
  va_end(args);
  std::string strLine = "driver: " + EscapeControls(szMessage) + "\n";
  fwrite(strLine.data(), 1, strLine.size(), stderr);
  fflush(stderr);
  return nCode;
}

bool ParseNumber(const std::string& strText, long* plValue)
{
  if (strText.empty())
    return false;
  char* pEnd = nullptr;
  long lValue = strtol(strText.c_str(), &pEnd, 0);
  if (*pEnd != '\0')
    return false;
  *plValue = lValue;
  return true;
}

int FindWindowOrTimeout(const std::string& strPattern, HWND* phWnd)
{
  *phWnd = WaitTopWindow(strPattern, g_dwTimeout);
  if (!*phWnd)
    return Complain(kExitTimeout, "no window \"%s\" within %lu ms", strPattern.c_str(), g_dwTimeout);
  return kExitOk;
}

// The window by its caption, then the control by its id (which may be
// created a moment after its dialog).
int FindControlOrFail(const Args& args, HWND* phTop, HWND* phControl)
{
  long lId = 0;
  if (!ParseNumber(args[1], &lId))
    return Complain(kExitUsage, "control id \"%s\" is not a number", args[1].c_str());
  DWORD dwStart = GetTickCount();
  int nCode = FindWindowOrTimeout(args[0], phTop);
  if (nCode != kExitOk)
    return nCode;
  for (;;) {
    *phControl = FindControl(*phTop, static_cast<int>(lId));
    if (*phControl)
      return kExitOk;
    if (GetTickCount() - dwStart >= g_dwTimeout)
      return Complain(kExitFailure, "window \"%s\" has no control %ld", args[0].c_str(), lId);
    Sleep(50);
    HWND hTop = FindTopWindow(args[0]);
    if (hTop)
      *phTop = hTop;
  }
}

// What a person can reach: a visible, enabled control in an enabled window.
int CheckUsable(HWND hTop, HWND hControl, const Args& args)
{
  if (!IsWindowVisible(hControl))
    return Complain(kExitFailure, "control %s of \"%s\" is hidden", args[1].c_str(), args[0].c_str());
  if (!IsWindowEnabled(hControl))
    return Complain(kExitFailure, "control %s of \"%s\" is disabled", args[1].c_str(), args[0].c_str());
  if (!IsWindowEnabled(hTop))
    return Complain(kExitFailure, "window \"%s\" is disabled (a modal window is open)", args[0].c_str());
  return kExitOk;
}

std::string Format(const char* pszFormat, ...)
{
  char szText[512];
  va_list args;
  va_start(args, pszFormat);
  vsnprintf(szText, sizeof(szText), pszFormat, args);
  va_end(args);
  return szText;
}

const ListMessages kListBox = {LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL, LBN_SELCHANGE, LBN_DBLCLK};
const ListMessages kComboBox = {CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE, CBN_DBLCLK};

const ListMessages* ListMessagesOf(HWND hControl)
{
  std::string strClass = ClassOf(hControl);
  if (_stricmp(strClass.c_str(), "ListBox") == 0 || _stricmp(strClass.c_str(), "ComboLBox") == 0)
    return &kListBox;
  if (_stricmp(strClass.c_str(), "ComboBox") == 0)
    return &kComboBox;
  return nullptr;
}

int ReadItems(HWND hControl, const ListMessages* pMessages, Lines* pItems)
{
  LRESULT lCount = 0;
  if (!SendWithTimeout(hControl, pMessages->nGetCount, 0, 0, &lCount))
    return Complain(kExitTimeout, "the list does not answer");
  for (LRESULT i = 0; i < lCount; ++i) {
    std::string strItem;
    if (!ItemTextOf(hControl, pMessages == &kComboBox, static_cast<int>(i), &strItem))
      return Complain(kExitFailure, "entry %ld cannot be read", static_cast<long>(i));
    pItems->push_back(strItem);
  }
  return kExitOk;
}
