// The actions: what a person does to a dialog, and the script's own commands.
#include "tests/e2e/driver/CommandSupport.h"

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tests/e2e/driver/Text.h"
#include "tests/e2e/driver/Window.h"

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

int DoWait(const Args& args, Lines*)
{
  DWORD dwTimeout;
  int nCode = ParseTimeout(args, 1, &dwTimeout);
  if (nCode != kExitOk)
    return nCode;
  if (!WaitTopWindow(args[0], dwTimeout))
    return Complain(kExitTimeout, "no window \"%s\" within %lu ms", args[0].c_str(), dwTimeout);
  return kExitOk;
}

int DoGone(const Args& args, Lines*)
{
  DWORD dwTimeout;
  int nCode = ParseTimeout(args, 1, &dwTimeout);
  if (nCode != kExitOk)
    return nCode;
  if (!WaitTopWindowGone(args[0], dwTimeout))
    return Complain(kExitTimeout, "window \"%s\" still there after %lu ms", args[0].c_str(), dwTimeout);
  return kExitOk;
}

int DoType(const Args& args, Lines*)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    nCode = CheckUsable(hTop, hControl, args);
  if (nCode != kExitOk)
    return nCode;
  if (_stricmp(ClassOf(hControl).c_str(), "Edit") == 0 && (GetWindowLongW(hControl, GWL_STYLE) & ES_READONLY))
    return Complain(kExitFailure, "edit %s of \"%s\" is read-only", args[1].c_str(), args[0].c_str());
  // WM_SETTEXT carries a pointer, so it cannot go asynchronously; an edit
  // answers it at once and notifies its parent with EN_CHANGE.
  if (!SetTextOf(hControl, args[2]))
    return Complain(kExitTimeout, "control %s of \"%s\" does not answer", args[1].c_str(), args[0].c_str());
  return kExitOk;
}

int DoClick(const Args& args, Lines*)
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
  if (!args[2].empty() && args[2][0] == '=') {
    for (size_t i = 0; i < items.size() && lIndex < 0; ++i)
      if (items[i] == args[2].substr(1))
        lIndex = static_cast<long>(i);
    if (lIndex < 0)
      return Complain(kExitFailure, "control %s has no entry \"%s\"", args[1].c_str(), args[2].c_str() + 1);
  } else if (!ParseNumber(args[2], &lIndex))
    return Complain(kExitUsage, "entry \"%s\" is neither an index nor =TEXT", args[2].c_str());
  if (lIndex < 0 || static_cast<size_t>(lIndex) >= items.size())
    return Complain(kExitFailure, "control %s has %u entries, no %ld", args[1].c_str(),
                    static_cast<unsigned>(items.size()), lIndex);

  LONG lStyle = GetWindowLongW(hControl, GWL_STYLE);
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

int DoSelect(const Args& args, Lines*) { return SelectEntry(args, false); }

int DoDblClick(const Args& args, Lines*) { return SelectEntry(args, true); }

int DoClose(const Args& args, Lines*)
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

int DoSleep(const Args& args, Lines*)
{
  long lMs = 0;
  if (!ParseNumber(args[0], &lMs) || lMs < 0)
    return Complain(kExitUsage, "sleep needs milliseconds, not \"%s\"", args[0].c_str());
  Sleep(static_cast<DWORD>(lMs));
  return kExitOk;
}

int DoTimeout(const Args& args, Lines*) { return ParseTimeout(args, 0, &g_dwTimeout); }

int DoEcho(const Args& args, Lines* pOut)
{
  std::string strLine;
  for (size_t i = 0; i < args.size(); ++i)
    strLine += (i ? " " : "") + args[i];
  pOut->push_back(strLine);
  return kExitOk;
}

// The system code pages this process got (wine takes them from LANG).
int QueryCodePages(const Args&, Lines* pOut)
{
  pOut->push_back(Format("%u %u", GetACP(), GetOEMCP()));
  return kExitOk;
}
