#include "tests/e2e/driver/Commands.h"

#include <windows.h>
#include <commctrl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tests/e2e/driver/Text.h"
#include "tests/e2e/driver/Window.h"

typedef std::vector<std::string> Args;
typedef std::vector<std::string> Lines;

static void PrintLine(const std::string& strAnsi)
{
  std::string strLine = AnsiToUtf8(EscapeControls(strAnsi)) + "\n";
  fwrite(strLine.data(), 1, strLine.size(), stdout);
  fflush(stdout);
}

static int Complain(int nCode, const char* pszFormat, ...)
{
  char szMessage[2048];
  va_list args;
  va_start(args, pszFormat);
  vsnprintf(szMessage, sizeof(szMessage), pszFormat, args);
  va_end(args);
  std::string strLine = "driver: " + AnsiToUtf8(EscapeControls(szMessage)) + "\n";
  fwrite(strLine.data(), 1, strLine.size(), stderr);
  fflush(stderr);
  return nCode;
}

static bool ParseNumber(const std::string& strText, long* plValue)
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

static int FindWindowOrTimeout(const std::string& strPattern, HWND* phWnd)
{
  *phWnd = WaitTopWindow(strPattern, g_dwTimeout);
  if (!*phWnd)
    return Complain(kExitTimeout, "no window \"%s\" within %lu ms", strPattern.c_str(), g_dwTimeout);
  return kExitOk;
}

// The window by its caption, then the control by its id (which may be
// created a moment after its dialog).
static int FindControlOrFail(const Args& args, HWND* phTop, HWND* phControl)
{
  long lId = 0;
  if (!ParseNumber(args[1], &lId))
    return Complain(kExitUsage, "control id \"%s\" is not a number", args[1].c_str());
  DWORD dwStart = GetTickCount();
  int nCode = FindWindowOrTimeout(args[0], phTop);
  if (nCode != kExitOk)
    return nCode;
  for (;;)
  {
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
static int CheckUsable(HWND hTop, HWND hControl, const Args& args)
{
  if (!IsWindowVisible(hControl))
    return Complain(kExitFailure, "control %s of \"%s\" is hidden", args[1].c_str(), args[0].c_str());
  if (!IsWindowEnabled(hControl))
    return Complain(kExitFailure, "control %s of \"%s\" is disabled", args[1].c_str(), args[0].c_str());
  if (!IsWindowEnabled(hTop))
    return Complain(kExitFailure, "window \"%s\" is disabled (a modal window is open)", args[0].c_str());
  return kExitOk;
}

static std::string Format(const char* pszFormat, ...)
{
  char szText[512];
  va_list args;
  va_start(args, pszFormat);
  vsnprintf(szText, sizeof(szText), pszFormat, args);
  va_end(args);
  return szText;
}

// List boxes and combo boxes answer the same questions with different messages.
struct ListMessages
{
  UINT nGetCount, nGetCurSel, nSetCurSel;
  WORD wSelChange, wDblClk;
};

static const ListMessages kListBox = {LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL,
                                      LBN_SELCHANGE, LBN_DBLCLK};
static const ListMessages kComboBox = {CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL,
                                       CBN_SELCHANGE, CBN_DBLCLK};

static const ListMessages* ListMessagesOf(HWND hControl)
{
  std::string strClass = ClassOf(hControl);
  if (_stricmp(strClass.c_str(), "ListBox") == 0 || _stricmp(strClass.c_str(), "ComboLBox") == 0)
    return &kListBox;
  if (_stricmp(strClass.c_str(), "ComboBox") == 0)
    return &kComboBox;
  return nullptr;
}

static int ReadItems(HWND hControl, const ListMessages* pMessages, Lines* pItems)
{
  LRESULT lCount = 0;
  if (!SendWithTimeout(hControl, pMessages->nGetCount, 0, 0, &lCount))
    return Complain(kExitTimeout, "the list does not answer");
  for (LRESULT i = 0; i < lCount; ++i)
  {
    std::string strItem;
    if (!ItemTextOf(hControl, pMessages == &kComboBox, static_cast<int>(i), &strItem))
      return Complain(kExitFailure, "entry %ld cannot be read", static_cast<long>(i));
    pItems->push_back(strItem);
  }
  return kExitOk;
}

// ---- queries ----

static int QueryCaption(const Args& args, Lines* pOut)
{
  HWND hWnd;
  int nCode = FindWindowOrTimeout(args[0], &hWnd);
  if (nCode == kExitOk)
    pOut->push_back(CaptionOf(hWnd));
  return nCode;
}

static int QueryText(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    pOut->push_back(TextOf(hControl));
  return nCode;
}

static int QueryItems(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode != kExitOk)
    return nCode;
  const ListMessages* pMessages = ListMessagesOf(hControl);
  if (!pMessages)
    return Complain(kExitFailure, "control %s is a %s, not a list", args[1].c_str(), ClassOf(hControl).c_str());
  return ReadItems(hControl, pMessages, pOut);
}

static int QueryCurSel(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode != kExitOk)
    return nCode;
  const ListMessages* pMessages = ListMessagesOf(hControl);
  if (!pMessages)
    return Complain(kExitFailure, "control %s is a %s, not a list", args[1].c_str(), ClassOf(hControl).c_str());
  LRESULT lIndex = 0;
  if (!SendWithTimeout(hControl, pMessages->nGetCurSel, 0, 0, &lIndex))
    return Complain(kExitTimeout, "the list does not answer");
  pOut->push_back(Format("%ld", static_cast<long>(lIndex)));
  return kExitOk;
}

static int QueryProgress(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode != kExitOk)
    return nCode;
  LRESULT lLow = 0, lHigh = 0, lPos = 0;
  if (!SendWithTimeout(hControl, PBM_GETRANGE, TRUE, 0, &lLow) ||
      !SendWithTimeout(hControl, PBM_GETRANGE, FALSE, 0, &lHigh) ||
      !SendWithTimeout(hControl, PBM_GETPOS, 0, 0, &lPos))
    return Complain(kExitTimeout, "the progress bar does not answer");
  pOut->push_back(Format("%ld %ld %ld", static_cast<long>(lLow), static_cast<long>(lHigh), static_cast<long>(lPos)));
  return kExitOk;
}

static int QueryEnabled(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    pOut->push_back(IsWindowEnabled(hControl) ? "1" : "0");
  return nCode;
}

static int QueryVisible(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    pOut->push_back(IsWindowVisible(hControl) ? "1" : "0");
  return nCode;
}

static int QueryChecked(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode != kExitOk)
    return nCode;
  LRESULT lState = 0;
  if (!SendWithTimeout(hControl, BM_GETCHECK, 0, 0, &lState))
    return Complain(kExitTimeout, "the button does not answer");
  pOut->push_back(Format("%ld", static_cast<long>(lState)));
  return kExitOk;
}

static std::string ScreenRect(HWND hWnd)
{
  RECT rc;
  GetWindowRect(hWnd, &rc);
  return Format("%ld %ld %ld %ld", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

static int QueryRect(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  if (args.size() == 1)
  {
    int nCode = FindWindowOrTimeout(args[0], &hTop);
    if (nCode == kExitOk)
      pOut->push_back(ScreenRect(hTop));
    return nCode;
  }
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    pOut->push_back(ScreenRect(hControl));
  return nCode;
}

// Dialog units are not shown: under wine neither MapDialogRect nor the
// dialog's font works from another process.
struct DumpState
{
  HWND hDlg;
  Lines* pOut;
};

static BOOL CALLBACK DumpControl(HWND hControl, LPARAM lParam)
{
  DumpState* pState = reinterpret_cast<DumpState*>(lParam);
  RECT rc;
  GetWindowRect(hControl, &rc);
  POINT topLeft = {rc.left, rc.top};
  ScreenToClient(pState->hDlg, &topLeft);
  int nWidth = rc.right - rc.left, nHeight = rc.bottom - rc.top;
  std::string strLine = Format("id=%d class=%s style=0x%08lx px=%ld,%ld,%d,%d", GetDlgCtrlID(hControl),
                               ClassOf(hControl).c_str(),
                               static_cast<unsigned long>(GetWindowLongA(hControl, GWL_STYLE)), topLeft.x,
                               topLeft.y, nWidth, nHeight);
  strLine += Format(" screen=%ld,%ld", rc.left, rc.top);
  strLine += " text=\"" + TextOf(hControl) + "\"";
  pState->pOut->push_back(strLine);
  return TRUE;
}

static int QueryDump(const Args& args, Lines* pOut)
{
  DumpState state = {nullptr, pOut};
  int nCode = FindWindowOrTimeout(args[0], &state.hDlg);
  if (nCode != kExitOk)
    return nCode;
  pOut->push_back(Format("window class=%s style=0x%08lx rect=%s", ClassOf(state.hDlg).c_str(),
                         static_cast<unsigned long>(GetWindowLongA(state.hDlg, GWL_STYLE)),
                         ScreenRect(state.hDlg).c_str()) +
                  " caption=\"" + CaptionOf(state.hDlg) + "\"");
  EnumChildWindows(state.hDlg, DumpControl, reinterpret_cast<LPARAM>(&state));
  return kExitOk;
}

static BOOL CALLBACK ListTopWindow(HWND hWnd, LPARAM lParam)
{
  std::string strCaption = CaptionOf(hWnd);
  bool bVisible = IsWindowVisible(hWnd) != FALSE;
  if (!bVisible && strCaption.empty())
    return TRUE;  // the many hidden helper windows tell a test nothing
  HWND hOwner = GetWindow(hWnd, GW_OWNER);
  reinterpret_cast<Lines*>(lParam)->push_back(
      Format("hwnd=0x%llx class=%s visible=%d enabled=%d owner=0x%llx",
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hWnd)), ClassOf(hWnd).c_str(), bVisible,
             IsWindowEnabled(hWnd) != FALSE, static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hOwner))) +
      " caption=\"" + strCaption + "\"");
  return TRUE;
}

static int QueryWindows(const Args&, Lines* pOut)
{
  EnumWindows(ListTopWindow, reinterpret_cast<LPARAM>(pOut));
  return kExitOk;
}

// ---- actions ----

static int ParseTimeout(const Args& args, size_t nIndex, DWORD* pdwTimeout)
{
  *pdwTimeout = g_dwTimeout;
  if (args.size() <= nIndex)
    return kExitOk;
  long lValue = 0;
  if (!ParseNumber(args[nIndex], &lValue) || lValue < 0)
    return Complain(kExitUsage, "timeout \"%s\" is not a number of milliseconds", args[nIndex].c_str());
  *pdwTimeout = static_cast<DWORD>(lValue);
  return kExitOk;
}

static int DoWait(const Args& args, Lines*)
{
  DWORD dwTimeout;
  int nCode = ParseTimeout(args, 1, &dwTimeout);
  if (nCode != kExitOk)
    return nCode;
  if (!WaitTopWindow(args[0], dwTimeout))
    return Complain(kExitTimeout, "no window \"%s\" within %lu ms", args[0].c_str(), dwTimeout);
  return kExitOk;
}

static int DoGone(const Args& args, Lines*)
{
  DWORD dwTimeout;
  int nCode = ParseTimeout(args, 1, &dwTimeout);
  if (nCode != kExitOk)
    return nCode;
  if (!WaitTopWindowGone(args[0], dwTimeout))
    return Complain(kExitTimeout, "window \"%s\" still there after %lu ms", args[0].c_str(), dwTimeout);
  return kExitOk;
}

static int DoType(const Args& args, Lines*)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    nCode = CheckUsable(hTop, hControl, args);
  if (nCode != kExitOk)
    return nCode;
  if (_stricmp(ClassOf(hControl).c_str(), "Edit") == 0 && (GetWindowLongA(hControl, GWL_STYLE) & ES_READONLY))
    return Complain(kExitFailure, "edit %s of \"%s\" is read-only", args[1].c_str(), args[0].c_str());
  // WM_SETTEXT carries a pointer, so it cannot go asynchronously; an edit
  // answers it at once and notifies its parent with EN_CHANGE.
  if (!SetTextOf(hControl, args[2]))
    return Complain(kExitTimeout, "control %s of \"%s\" does not answer", args[1].c_str(), args[0].c_str());
  return kExitOk;
}

static int DoClick(const Args& args, Lines*)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    nCode = CheckUsable(hTop, hControl, args);
  if (nCode != kExitOk)
    return nCode;
  Deliver(hControl, BM_CLICK, 0, 0);
  return kExitOk;
}

// Selects an entry as a click would, then tells the parent with the given
// notification (and, for a double click, the double-click one after it).
static int SelectEntry(const Args& args, bool bDoubleClick)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    nCode = CheckUsable(hTop, hControl, args);
  if (nCode != kExitOk)
    return nCode;
  const ListMessages* pMessages = ListMessagesOf(hControl);
  if (!pMessages)
    return Complain(kExitFailure, "control %s is a %s, not a list", args[1].c_str(), ClassOf(hControl).c_str());
  Lines items;
  nCode = ReadItems(hControl, pMessages, &items);
  if (nCode != kExitOk)
    return nCode;
  long lIndex = -1;
  if (!args[2].empty() && args[2][0] == '=')
  {
    for (size_t i = 0; i < items.size() && lIndex < 0; ++i)
      if (items[i] == args[2].substr(1))
        lIndex = static_cast<long>(i);
    if (lIndex < 0)
      return Complain(kExitFailure, "control %s has no entry \"%s\"", args[1].c_str(), args[2].c_str() + 1);
  }
  else if (!ParseNumber(args[2], &lIndex))
    return Complain(kExitUsage, "entry \"%s\" is neither an index nor =TEXT", args[2].c_str());
  if (lIndex < 0 || static_cast<size_t>(lIndex) >= items.size())
    return Complain(kExitFailure, "control %s has %u entries, no %ld", args[1].c_str(),
                    static_cast<unsigned>(items.size()), lIndex);

  LONG lStyle = GetWindowLongA(hControl, GWL_STYLE);
  bool bMultiple = pMessages == &kListBox && (lStyle & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
  bool bSelected;
  if (bMultiple)
    bSelected = SendWithTimeout(hControl, LB_SETSEL, FALSE, -1, nullptr) &&
                SendWithTimeout(hControl, LB_SETSEL, TRUE, lIndex, nullptr) &&
                SendWithTimeout(hControl, LB_SETCARETINDEX, lIndex, FALSE, nullptr);
  else
    bSelected = SendWithTimeout(hControl, pMessages->nSetCurSel, lIndex, 0, nullptr);
  if (!bSelected)
    return Complain(kExitTimeout, "control %s does not answer", args[1].c_str());

  HWND hParent = GetParent(hControl);
  WPARAM wId = static_cast<WORD>(GetDlgCtrlID(hControl));
  LPARAM lControl = reinterpret_cast<LPARAM>(hControl);
  Deliver(hParent, WM_COMMAND, MAKEWPARAM(wId, pMessages->wSelChange), lControl);
  if (bDoubleClick && IsWindow(hControl))
    Deliver(hParent, WM_COMMAND, MAKEWPARAM(wId, pMessages->wDblClk), lControl);
  return kExitOk;
}

static int DoSelect(const Args& args, Lines*)
{
  return SelectEntry(args, false);
}

static int DoDblClick(const Args& args, Lines*)
{
  return SelectEntry(args, true);
}

static int DoClose(const Args& args, Lines*)
{
  HWND hWnd;
  int nCode = FindWindowOrTimeout(args[0], &hWnd);
  if (nCode != kExitOk)
    return nCode;
  if (!IsWindowEnabled(hWnd))
    return Complain(kExitFailure, "window \"%s\" is disabled (a modal window is open)", args[0].c_str());
  Deliver(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  return kExitOk;
}

static int DoSleep(const Args& args, Lines*)
{
  long lMs = 0;
  if (!ParseNumber(args[0], &lMs) || lMs < 0)
    return Complain(kExitUsage, "sleep needs milliseconds, not \"%s\"", args[0].c_str());
  Sleep(static_cast<DWORD>(lMs));
  return kExitOk;
}

static int DoTimeout(const Args& args, Lines*)
{
  return ParseTimeout(args, 0, &g_dwTimeout);
}

static int DoEcho(const Args& args, Lines* pOut)
{
  std::string strLine;
  for (size_t i = 0; i < args.size(); ++i)
    strLine += (i ? " " : "") + args[i];
  pOut->push_back(strLine);
  return kExitOk;
}

// ---- the table ----

struct Command
{
  const char* pszName;
  size_t nMinArgs, nMaxArgs;
  int (*pfnRun)(const Args&, Lines*);
  bool bQuery;  // has an expect- form
  const char* pszUsage;
};

static const Command kCommands[] = {
    {"wait", 1, 2, DoWait, false, "wait CAPTION [TIMEOUT_MS]"},
    {"gone", 1, 2, DoGone, false, "gone CAPTION [TIMEOUT_MS]"},
    {"type", 3, 3, DoType, false, "type CAPTION ID TEXT"},
    {"click", 2, 2, DoClick, false, "click CAPTION ID"},
    {"select", 3, 3, DoSelect, false, "select CAPTION ID INDEX|=TEXT"},
    {"dblclick", 3, 3, DoDblClick, false, "dblclick CAPTION ID INDEX|=TEXT"},
    {"close", 1, 1, DoClose, false, "close CAPTION"},
    {"sleep", 1, 1, DoSleep, false, "sleep MS"},
    {"timeout", 1, 1, DoTimeout, false, "timeout MS"},
    {"echo", 0, 64, DoEcho, false, "echo WORDS..."},
    {"caption", 1, 1, QueryCaption, true, "caption CAPTION"},
    {"text", 2, 2, QueryText, true, "text CAPTION ID"},
    {"items", 2, 2, QueryItems, true, "items CAPTION ID"},
    {"cursel", 2, 2, QueryCurSel, true, "cursel CAPTION ID"},
    {"progress", 2, 2, QueryProgress, true, "progress CAPTION ID"},
    {"enabled", 2, 2, QueryEnabled, true, "enabled CAPTION ID"},
    {"visible", 2, 2, QueryVisible, true, "visible CAPTION ID"},
    {"checked", 2, 2, QueryChecked, true, "checked CAPTION ID"},
    {"rect", 1, 2, QueryRect, true, "rect CAPTION [ID]"},
    {"dump", 1, 1, QueryDump, false, "dump CAPTION"},
    {"windows", 0, 0, QueryWindows, false, "windows"},
};

void PrintUsage()
{
  fprintf(stderr,
          "usage: driver [-t TIMEOUT_MS] COMMAND ARGS...\n"
          "       driver [-t TIMEOUT_MS] -f SCRIPT | -   (one command a line; '-' reads stdin)\n"
          "commands:\n");
  for (const Command& command : kCommands)
    fprintf(stderr, "  %s\n", command.pszUsage);
  fprintf(stderr,
          "  expect-QUERY ARGS... EXPECTED   for caption, text, items, cursel, progress,\n"
          "                                  enabled, visible, checked, rect\n"
          "CAPTION ending in * matches as a prefix; \\xHH gives a Windows-1252 byte.\n"
          "exit codes: 0 ok, 1 mismatch or failure, 2 timeout, 3 usage\n");
}

static std::string JoinLines(const Lines& lines, const char* pszSeparator, bool bEscape)
{
  std::string strJoined;
  for (size_t i = 0; i < lines.size(); ++i)
    strJoined += (i ? pszSeparator : "") + (bEscape ? EscapeControls(lines[i]) : lines[i]);
  return strJoined;
}

// Expected values may give line breaks either as they are or written \n.
static bool ValueMatches(const Lines& actual, const std::string& strExpected)
{
  return JoinLines(actual, "\n", false) == strExpected || JoinLines(actual, "\\n", true) == strExpected;
}

// Polls the query until it yields the expected value: the program may still
// be on its way there.
static int ExpectValue(const Command& query, const Args& args)
{
  Args queryArgs(args.begin(), args.end() - 1);
  const std::string& strExpected = args.back();
  DWORD dwStart = GetTickCount();
  Lines actual;
  for (;;)
  {
    actual.clear();
    int nCode = query.pfnRun(queryArgs, &actual);
    if (nCode != kExitOk)
      return nCode;
    if (ValueMatches(actual, strExpected))
      return kExitOk;
    if (GetTickCount() - dwStart >= g_dwTimeout)
      break;
    Sleep(100);
  }
  return Complain(kExitFailure, "%s %s: expected \"%s\", got \"%s\"", query.pszName,
                  JoinLines(queryArgs, " ", false).c_str(), strExpected.c_str(),
                  JoinLines(actual, "\\n", true).c_str());
}

int RunCommand(const std::vector<std::string>& words)
{
  if (words.empty())
    return Complain(kExitUsage, "no command");
  std::string strName = words[0];
  Args args(words.begin() + 1, words.end());
  bool bExpect = strName.compare(0, 7, "expect-") == 0;
  if (bExpect)
    strName = strName.substr(7);
  for (const Command& command : kCommands)
  {
    if (strName != command.pszName || (bExpect && !command.bQuery))
      continue;
    size_t nArgs = args.size() - (bExpect ? 1 : 0);
    if ((bExpect && args.empty()) || nArgs < command.nMinArgs || nArgs > command.nMaxArgs)
      return Complain(kExitUsage, "usage: %s%s%s", bExpect ? "expect-" : "", command.pszUsage,
                      bExpect ? " EXPECTED" : "");
    if (bExpect)
      return ExpectValue(command, args);
    Lines out;
    int nCode = command.pfnRun(args, &out);
    for (const std::string& strLine : out)
      PrintLine(strLine);
    return nCode;
  }
  return Complain(kExitUsage, "unknown command \"%s\"", words[0].c_str());
}
