// The queries: what a control or window shows; each also has an expect- form.
#include "tests/e2e/driver/CommandSupport.h"

#include <commctrl.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <set>

#include "tests/e2e/driver/Text.h"
#include "tests/e2e/driver/Window.h"

int QueryCaption(const Args& args, Lines* pOut)
{
  HWND hWnd;
  int nCode = FindWindowOrTimeout(args[0], &hWnd);
  if (nCode == kExitOk)
    pOut->push_back(CaptionOf(hWnd));
  return nCode;
}

int QueryText(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    pOut->push_back(TextOf(hControl));
  return nCode;
}

int QueryItems(const Args& args, Lines* pOut)
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

int QueryCurSel(const Args& args, Lines* pOut)
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

int QueryProgress(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode != kExitOk)
    return nCode;
  LRESULT lLow = 0, lHigh = 0, lPos = 0;
  if (!SendWithTimeout(hControl, PBM_GETRANGE, TRUE, 0, &lLow) ||
      !SendWithTimeout(hControl, PBM_GETRANGE, FALSE, 0, &lHigh) || !SendWithTimeout(hControl, PBM_GETPOS, 0, 0, &lPos))
    return Complain(kExitTimeout, "the progress bar does not answer");
  pOut->push_back(Format("%ld %ld %ld", static_cast<long>(lLow), static_cast<long>(lHigh), static_cast<long>(lPos)));
  return kExitOk;
}

// A yes/no state of the control, printed as 1 or 0.
static int QueryState(const Args& args, Lines* pOut, BOOL(WINAPI* pfnState)(HWND))
{
  HWND hTop, hControl;
  int nCode = FindControlOrFail(args, &hTop, &hControl);
  if (nCode == kExitOk)
    pOut->push_back(pfnState(hControl) ? "1" : "0");
  return nCode;
}

int QueryEnabled(const Args& args, Lines* pOut) { return QueryState(args, pOut, IsWindowEnabled); }

int QueryVisible(const Args& args, Lines* pOut) { return QueryState(args, pOut, IsWindowVisible); }

int QueryChecked(const Args& args, Lines* pOut)
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

int QueryRect(const Args& args, Lines* pOut)
{
  HWND hTop, hControl;
  if (args.size() == 1) {
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
  std::string strLine =
      Format("id=%d class=%s style=0x%08lx px=%ld,%ld,%d,%d", GetDlgCtrlID(hControl), ClassOf(hControl).c_str(),
             static_cast<unsigned long>(GetWindowLongW(hControl, GWL_STYLE)), topLeft.x, topLeft.y, nWidth, nHeight);
  strLine += Format(" screen=%ld,%ld", rc.left, rc.top);
  strLine += " text=\"" + TextOf(hControl) + "\"";
  pState->pOut->push_back(strLine);
  return TRUE;
}

int QueryDump(const Args& args, Lines* pOut)
{
  DumpState state = {nullptr, pOut};
  int nCode = FindWindowOrTimeout(args[0], &state.hDlg);
  if (nCode != kExitOk)
    return nCode;
  pOut->push_back(Format("window class=%s style=0x%08lx rect=%s", ClassOf(state.hDlg).c_str(),
                         static_cast<unsigned long>(GetWindowLongW(state.hDlg, GWL_STYLE)),
                         ScreenRect(state.hDlg).c_str()) +
                  " caption=\"" + CaptionOf(state.hDlg) + "\"");
  EnumChildWindows(state.hDlg, DumpControl, reinterpret_cast<LPARAM>(&state));
  return kExitOk;
}

static std::string DescribeTopWindow(HWND hWnd)
{
  HWND hOwner = GetWindow(hWnd, GW_OWNER);
  return Format("hwnd=0x%llx class=%s visible=%d enabled=%d owner=0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hWnd)), ClassOf(hWnd).c_str(),
                IsWindowVisible(hWnd) != FALSE, IsWindowEnabled(hWnd) != FALSE,
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hOwner))) +
         " caption=\"" + CaptionOf(hWnd) + "\"";
}

static BOOL CALLBACK ListTopWindow(HWND hWnd, LPARAM lParam)
{
  if (!IsWindowVisible(hWnd) && CaptionOf(hWnd).empty())
    return TRUE;  // the many hidden helper windows tell a test nothing
  reinterpret_cast<Lines*>(lParam)->push_back(DescribeTopWindow(hWnd));
  return TRUE;
}

int QueryWindows(const Args&, Lines* pOut)
{
  EnumWindows(ListTopWindow, reinterpret_cast<LPARAM>(pOut));
  return kExitOk;
}

// The ids of the running processes whose program file is strExe, in any case.
static std::set<DWORD> ProcessesNamed(const std::string& strExe)
{
  std::set<DWORD> ids;
  HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (hSnapshot == INVALID_HANDLE_VALUE)
    return ids;
  const std::wstring strWanted = Utf8ToWide(strExe);
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof(entry);
  for (BOOL bMore = Process32FirstW(hSnapshot, &entry); bMore; bMore = Process32NextW(hSnapshot, &entry))
    if (lstrcmpiW(entry.szExeFile, strWanted.c_str()) == 0)
      ids.insert(entry.th32ProcessID);
  CloseHandle(hSnapshot);
  return ids;
}

struct WatchState
{
  std::set<DWORD> ids;
  std::set<HWND> seen;
};

// Prints each visible top-level window of the watched processes once.
static BOOL CALLBACK NoteWatchedWindow(HWND hWnd, LPARAM lParam)
{
  WatchState* pState = reinterpret_cast<WatchState*>(lParam);
  DWORD dwProcess = 0;
  GetWindowThreadProcessId(hWnd, &dwProcess);
  if (IsWindowVisible(hWnd) && pState->ids.count(dwProcess) && pState->seen.insert(hWnd).second)
    PrintLine(DescribeTopWindow(hWnd));
  return TRUE;
}

// Waits for a process of that program, then prints every visible
// top-level window it shows until it has ended. "watching" comes first,
// so that a test starts the program only once the watch runs. A program
// that ends between two looks is never seen: the optional args[1], a file
// the test makes once it saw the program end, ends that wait too.
int DoWatchWindows(const Args& args, Lines*)
{
  PrintLine("watching " + args[0]);
  DWORD dwStart = GetTickCount();
  const std::wstring strEndedMark = args.size() > 1 ? Utf8ToWide(args[1]) : std::wstring();
  WatchState state;
  while ((state.ids = ProcessesNamed(args[0])).empty()) {
    if (!strEndedMark.empty() && GetFileAttributesW(strEndedMark.c_str()) != INVALID_FILE_ATTRIBUTES) {
      PrintLine("ended");
      return kExitOk;
    }
    if (GetTickCount() - dwStart >= g_dwTimeout)
      return Complain(kExitTimeout, "no process %s within %lu ms", args[0].c_str(), g_dwTimeout);
    Sleep(5);
  }
  do {
    EnumWindows(NoteWatchedWindow, reinterpret_cast<LPARAM>(&state));
    if (GetTickCount() - dwStart >= g_dwTimeout)
      return Complain(kExitTimeout, "%s still runs after %lu ms", args[0].c_str(), g_dwTimeout);
    Sleep(10);
  } while (!(state.ids = ProcessesNamed(args[0])).empty());
  PrintLine("ended");
  return kExitOk;
}
