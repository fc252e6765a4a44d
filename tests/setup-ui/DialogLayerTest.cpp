// The window layer: dialogs modal and modeless, the message map, data
// exchange and the dialog initialisation resource, on real windows.
#include <gtest/gtest.h>

#include <vector>

#include "framework/afxwin.h"
#include "tests/setup-ui/LayerTestIds.h"
#include "tests/setup-ui/UiTestSupport.h"

namespace {

// The program's application object, whose main window owns modal dialogs.
CWinApp g_app;

class CLayerTestDlg : public CDialog
{
public:
  explicit CLayerTestDlg(UINT nIDTemplate = IDD_LAYER_TEST) : CDialog(nIDTemplate), m_strName("initial") {}

  CString m_strName;
  int m_nChoice = 2;
  CListBox m_list;
  int m_nDblClicks = 0;
  int m_nSelChanges = 0;

protected:
  void DoDataExchange(CDataExchange* pDX) override
  {
    DDX_Text(pDX, IDC_LAYER_EDIT, m_strName);
    DDX_CBIndex(pDX, IDC_LAYER_COMBO, m_nChoice);
    DDX_Control(pDX, IDC_LAYER_LIST, m_list);
  }
  void OnDblclkList() { ++m_nDblClicks; }
  void OnSelchangeCombo() { ++m_nSelChanges; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLayerTestDlg, CDialog)
ON_LBN_DBLCLK(IDC_LAYER_LIST, &CLayerTestDlg::OnDblclkList)
ON_CBN_SELCHANGE(IDC_LAYER_COMBO, &CLayerTestDlg::OnSelchangeCombo)
END_MESSAGE_MAP()

// A derived dialog adds an entry; its base's entries still apply.
class CDerivedTestDlg : public CLayerTestDlg
{
public:
  int m_nExtraClicks = 0;

protected:
  void OnExtra() { ++m_nExtraClicks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestDlg, CLayerTestDlg)
ON_CONTROL(BN_CLICKED, IDC_LAYER_EXTRA, &CDerivedTestDlg::OnExtra)
END_MESSAGE_MAP()

LRESULT Command(CWnd& wnd, int nID, int nCode)
{
  return wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(::GetDlgItem(wnd, nID)));
}

std::vector<std::string> ComboItems(HWND hCombo)
{
  std::vector<std::string> items;
  int nCount = static_cast<int>(::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < nCount; ++i) {
    char szItem[256] = "";
    ::SendMessageA(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
    items.push_back(szItem);
  }
  return items;
}

TEST(DialogLayer, ModelessInitFillsTheComboAndShowsTheFields)
{
  CLayerTestDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_LAYER_TEST, NULL));
  HWND hCombo = ::GetDlgItem(dlg, IDC_LAYER_COMBO);
  EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "gamma"}), ComboItems(hCombo));
  EXPECT_EQ(2, ::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("initial", ItemText(dlg, IDC_LAYER_EDIT));
  EXPECT_EQ(::GetDlgItem(dlg, IDC_LAYER_LIST), dlg.m_list.m_hWnd);
  dlg.DestroyWindow();
  EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(DialogLayer, DamagedInitialisationDataIsReadOnlyWithinItsBounds)
{
  CLayerTestDlg dlg(IDD_LAYER_DAMAGED_INIT);
  ASSERT_TRUE(dlg.Create(IDD_LAYER_DAMAGED_INIT, NULL));
  EXPECT_EQ((std::vector<std::string>{"four", "xyz"}), ComboItems(::GetDlgItem(dlg, IDC_LAYER_COMBO)));
}

TEST(DialogLayer, MessageMapRoutesByControlAndNotification)
{
  CDerivedTestDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_LAYER_TEST, NULL));
  Command(dlg, IDC_LAYER_LIST, LBN_DBLCLK);
  Command(dlg, IDC_LAYER_LIST, LBN_SELCHANGE);  // not in the map
  Command(dlg, IDC_LAYER_COMBO, LBN_DBLCLK);    // right code, wrong control
  Command(dlg, IDC_LAYER_COMBO, CBN_SELCHANGE);
  ClickButton(dlg, IDC_LAYER_EXTRA);
  EXPECT_EQ(1, dlg.m_nDblClicks);
  EXPECT_EQ(1, dlg.m_nSelChanges);
  EXPECT_EQ(1, dlg.m_nExtraClicks);
  EXPECT_TRUE(::IsWindow(dlg.m_hWnd));  // none of them ended the dialog
}

TEST(DialogLayer, ModelessEndDialogHidesWithoutDestroying)
{
  CLayerTestDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_LAYER_TEST, NULL));
  dlg.ShowWindow(SW_SHOW);
  ClickButton(dlg, IDOK);  // OnOK: fields from the controls, then EndDialog
  EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
  EXPECT_FALSE(::IsWindowVisible(dlg.m_hWnd));
  HWND hWnd = dlg.m_hWnd;
  ::DestroyWindow(hWnd);  // destroyed from outside: the object lets go
  EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(DialogLayer, OkTransfersTheControlsAndEndsWithIdok)
{
  CLayerTestDlg dlg;
  INT_PTR nResult = RunModal(dlg, [](HWND hDlg) {
    ::SetDlgItemTextA(hDlg, IDC_LAYER_EDIT, "typed");
    ::SendDlgItemMessageA(hDlg, IDC_LAYER_COMBO, CB_SETCURSEL, 0, 0);
    ClickButton(hDlg, IDOK);
  });
  EXPECT_EQ(IDOK, nResult);
  EXPECT_STREQ("typed", dlg.m_strName);
  EXPECT_EQ(0, dlg.m_nChoice);
  EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(DialogLayer, CancelEscapeAndCloseBoxEndWithIdcancelAndKeepTheFields)
{
  const std::function<void(HWND)> actions[] = {
      [](HWND hDlg) { ClickButton(hDlg, IDCANCEL); },
      [](HWND hDlg) {
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        (void)hDlg;
      },
      [](HWND hDlg) { ::SendMessageA(hDlg, WM_CLOSE, 0, 0); },
  };
  for (const auto& action : actions) {
    CLayerTestDlg dlg;
    INT_PTR nResult = RunModal(dlg, [&](HWND hDlg) {
      ::SetDlgItemTextA(hDlg, IDC_LAYER_EDIT, "discarded");
      action(hDlg);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_STREQ("initial", dlg.m_strName);
  }
}

// Without a parent a modal dialog belongs to the main window, which it
// disables while it runs; running it again binds the new controls.
TEST(DialogLayer, ModalDialogIsOwnedByTheMainWindowAndRunsAgain)
{
  CLayerTestDlg mainDlg;
  ASSERT_TRUE(mainDlg.Create(IDD_LAYER_TEST, NULL));
  mainDlg.ShowWindow(SW_SHOW);
  CWinApp* pApp = AfxGetApp();
  ASSERT_NE(nullptr, pApp);
  pApp->m_pMainWnd = &mainDlg;

  CLayerTestDlg dlg;
  HWND hOwner = NULL;
  BOOL bMainEnabled = TRUE;
  EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
              hOwner = ::GetWindow(hDlg, GW_OWNER);
              bMainEnabled = ::IsWindowEnabled(mainDlg);
              ClickButton(hDlg, IDOK);
            }));
  EXPECT_EQ(mainDlg.m_hWnd, hOwner);
  EXPECT_FALSE(bMainEnabled);
  EXPECT_TRUE(::IsWindowEnabled(mainDlg));

  HWND hBoundList = NULL, hRealList = NULL;
  EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
              hBoundList = dlg.m_list.m_hWnd;
              hRealList = ::GetDlgItem(hDlg, IDC_LAYER_LIST);
              ClickButton(hDlg, IDOK);
            }));
  EXPECT_EQ(hRealList, hBoundList);
  pApp->m_pMainWnd = NULL;
}

}  // namespace
