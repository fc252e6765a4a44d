// A small dialog for the driver's self-test. Every notification it gets is
// shown in a label, so the test can see what arrived; "Done" writes what the
// dialog holds to the file named on the command line and ends with 42.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

#include "resource.h"

static const int kDoneCode = 42;
static const int kCancelCode = 3;
// Windows-1252: "Prüfung läuft"
static const char kGreetCaption[] = "Pr\374fung l\344uft";

static const char* g_pszReportPath = nullptr;
static int g_nChanges = 0;

static void ShowEvent(HWND hDlg, const char* pszEvent) { SetDlgItemTextA(hDlg, IDC_EVENT, pszEvent); }

static void SelectedText(HWND hDlg, int nId, bool bCombo, char* pszText, int nSize)
{
  HWND hList = GetDlgItem(hDlg, nId);
  LRESULT lIndex = SendMessageA(hList, bCombo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  pszText[0] = '\0';
  LRESULT lLength = SendMessageA(hList, bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, lIndex, 0);
  if (lIndex >= 0 && lLength >= 0 && lLength < nSize)
    SendMessageA(hList, bCombo ? CB_GETLBTEXT : LB_GETTEXT, lIndex, reinterpret_cast<LPARAM>(pszText));
}

static void WriteReport(HWND hDlg)
{
  if (!g_pszReportPath)
    return;
  char szName[256], szList[64], szCombo[64];
  GetDlgItemTextA(hDlg, IDC_NAME, szName, sizeof(szName));
  SelectedText(hDlg, IDC_LIST, false, szList, sizeof(szList));
  SelectedText(hDlg, IDC_COMBO, true, szCombo, sizeof(szCombo));
  FILE* pFile = fopen(g_pszReportPath, "wb");
  if (!pFile)
    return;
  fprintf(pFile, "name=%s\nlist=%s\ncombo=%s\nchanges=%d\n", szName, szList, szCombo, g_nChanges);
  fclose(pFile);
}

static void OnInitDialog(HWND hDlg)
{
  static const char* const kListItems[] = {"Alpha", "Beta", "Gamma"};
  static const char* const kComboItems[] = {"Red", "Green", "Blue"};
  for (const char* pszItem : kListItems)
    SendDlgItemMessageA(hDlg, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszItem));
  for (const char* pszItem : kComboItems)
    SendDlgItemMessageA(hDlg, IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszItem));
  SendDlgItemMessageA(hDlg, IDC_PROGRESS, PBM_SETRANGE32, 0, 200);
  SendDlgItemMessageA(hDlg, IDC_PROGRESS, PBM_SETPOS, 25, 0);
}

static void OnCommand(HWND hDlg, int nId, int nCode)
{
  char szText[128], szEvent[192];
  switch (nId) {
  case IDC_NAME:
    if (nCode == EN_CHANGE)
      ++g_nChanges;
    break;
  case IDC_LIST:
    SelectedText(hDlg, IDC_LIST, false, szText, sizeof(szText));
    if (nCode == LBN_SELCHANGE) {
      // Each entry moves the bar so that the test can read it back.
      LRESULT lIndex = SendDlgItemMessageA(hDlg, IDC_LIST, LB_GETCURSEL, 0, 0);
      SendDlgItemMessageA(hDlg, IDC_PROGRESS, PBM_SETPOS, 50 * (lIndex + 1), 0);
      snprintf(szEvent, sizeof(szEvent), "list selchange %s", szText);
      ShowEvent(hDlg, szEvent);
    } else if (nCode == LBN_DBLCLK) {
      snprintf(szEvent, sizeof(szEvent), "list dblclk %s", szText);
      ShowEvent(hDlg, szEvent);
    }
    break;
  case IDC_COMBO:
    if (nCode == CBN_SELCHANGE) {
      SelectedText(hDlg, IDC_COMBO, true, szText, sizeof(szText));
      snprintf(szEvent, sizeof(szEvent), "combo selchange %s", szText);
      ShowEvent(hDlg, szEvent);
    }
    break;
  case IDC_GREET:
    if (nCode == BN_CLICKED) {
      GetDlgItemTextA(hDlg, IDC_NAME, szText, sizeof(szText));
      snprintf(szEvent, sizeof(szEvent), "Hallo %s!\nSch\xf6n, dass du da bist.", szText);
      int nAnswer = MessageBoxA(hDlg, szEvent, kGreetCaption, MB_OKCANCEL);
      snprintf(szEvent, sizeof(szEvent), "greeted %d", nAnswer);
      ShowEvent(hDlg, szEvent);
    }
    break;
  case IDOK:
    WriteReport(hDlg);
    EndDialog(hDlg, kDoneCode);
    break;
  case IDCANCEL: EndDialog(hDlg, kCancelCode); break;
  }
}

static INT_PTR CALLBACK SelftestProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM)
{
  switch (nMsg) {
  case WM_INITDIALOG: OnInitDialog(hDlg); return TRUE;
  case WM_COMMAND: OnCommand(hDlg, LOWORD(wParam), HIWORD(wParam)); return TRUE;
  }
  return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  if (__argc > 1)
    g_pszReportPath = __argv[1];
  return static_cast<int>(DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_SELFTEST), nullptr, SelftestProc, 0));
}
