// setup's first windows, created for real: the progress dialog over a real
// extraction, the agreement's text box, and the background.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "setup/SetupApp.h"
#include "setup/dialogs/BackgroundWnd.h"
#include "setup/dialogs/ProgressDlg.h"
#include "tests/setup-ui/UiTestSupport.h"

namespace {

struct BarReading
{
  int nPos;
  std::string strCurrent;
};

struct Extraction
{
  HWND hProgress;
  HWND hBar;
  std::vector<BarReading> readings;
};

void ReadBar(int32_t, void* pUserData)
{
  Extraction* pRun = static_cast<Extraction*>(pUserData);
  pRun->readings.push_back(
      {static_cast<int>(::SendMessageA(pRun->hBar, PBM_GETPOS, 0, 0)), ItemText(pRun->hProgress, IDC_CURRENT_FILE)});
}

// Loads an installer into a fresh application object and readies the
// progress dialog as the install sequence does.
class ProgressFixture : public ::testing::Test
{
protected:
  void Load(const char* pszInstaller)
  {
    CString strAgreement;
    ASSERT_FALSE(m_app->LoadOverlayFrom(PayloadPath(pszInstaller).c_str(), strAgreement)) << m_app->m_strError;
    m_app->BuildFileTable();
    ASSERT_TRUE(m_progress.Create(CProgressDlg::IDD, NULL));
    m_progress.m_progress.SetRange32(0, m_app->m_nTotalSize);
    m_run.hProgress = m_progress.m_hWnd;
    m_run.hBar = ::GetDlgItem(m_progress, IDC_PROGRESS);
  }
  PBRANGE Range() const
  {
    PBRANGE range = {-1, -1};
    ::SendMessageA(m_run.hBar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    return range;
  }
  int Pos() const { return static_cast<int>(::SendMessageA(m_run.hBar, PBM_GETPOS, 0, 0)); }
  DWORD FileSize(const char* pszName) const
  {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA((m_dest.Path() + "\\" + pszName).c_str(), GetFileExInfoStandard, &data))
      return 0xFFFFFFFF;
    return data.nFileSizeLow;
  }

  std::unique_ptr<CSetupApp> m_app{new CSetupApp};
  CProgressDlg m_progress;
  CScratchDir m_dest;
  Extraction m_run{};
};

TEST_F(ProgressFixture, BarAdvancesByEachEntrysSizeWhileItsNameShows)
{
  Load("three.exe");
  PBRANGE range = Range();
  EXPECT_EQ(0, range.iLow);
  EXPECT_EQ(10000, range.iHigh);
  EXPECT_EQ(0, Pos());

  EXPECT_EQ(-1, m_app->ExtractFiles(&m_progress, m_dest.Path().c_str(), ReadBar, &m_run));

  ASSERT_EQ(3u, m_run.readings.size());
  EXPECT_EQ(1000, m_run.readings[0].nPos);
  EXPECT_EQ(3000, m_run.readings[1].nPos);
  EXPECT_EQ(10000, m_run.readings[2].nPos);
  EXPECT_EQ("a.bin", m_run.readings[0].strCurrent);
  EXPECT_EQ("sub\\b.bin", m_run.readings[1].strCurrent);
  EXPECT_EQ("c.bin", m_run.readings[2].strCurrent);
  EXPECT_TRUE(SaveWindowShot(m_progress, "progress-eng"));
  EXPECT_EQ(1000u, FileSize("a.bin"));
  EXPECT_EQ(2000u, FileSize("sub\\b.bin"));
  EXPECT_EQ(7000u, FileSize("c.bin"));
}

TEST_F(ProgressFixture, EmptyArchiveLeavesTheBarAtZeroAndTheTemplateText)
{
  Load("empty.exe");
  EXPECT_EQ(0, Range().iHigh);
  EXPECT_EQ(-1, m_app->ExtractFiles(&m_progress, m_dest.Path().c_str(), ReadBar, &m_run));
  EXPECT_TRUE(m_run.readings.empty());
  EXPECT_EQ(0, Pos());
  EXPECT_EQ("Static", ItemText(m_progress, IDC_CURRENT_FILE));
}

// The second entry's data is damaged: extraction stops there, names the
// entry, and the bar shows only what was installed.
TEST_F(ProgressFixture, DamagedEntryStopsTheExtractionAtThatEntry)
{
  Load("damaged.exe");
  EXPECT_EQ(1, m_app->ExtractFiles(&m_progress, m_dest.Path().c_str(), ReadBar, &m_run));
  ASSERT_EQ(1u, m_run.readings.size());
  EXPECT_EQ(1000, Pos());
  EXPECT_EQ("sub\\b.bin", ItemText(m_progress, IDC_CURRENT_FILE));
  EXPECT_EQ(0xFFFFFFFFu, FileSize("c.bin"));
}

// The progress dialog is German for exactly "GER"; any other code, unlike
// in the destination and start-menu dialogs, keeps its English texts.
TEST(ProgressDialog, IsGermanOnlyForGer)
{
  struct Expected
  {
    const char* pszCode;
    const char* pszTexts;
  };
  const Expected cases[] = {
      {"GER", "Installation|Aktuell|Fortschritt|Bitte warten..."},
      {"FRA", "Installing|Current|Progress|Please wait..."},
      {"ENG", "Installing|Current|Progress|Please wait..."},
  };
  CString strSavedLanguage = theApp.m_strLanguage;
  for (const Expected& expected : cases) {
    theApp.m_strLanguage = expected.pszCode;
    CProgressDlg progress;
    ASSERT_TRUE(progress.Create(CProgressDlg::IDD, NULL));
    EXPECT_EQ(expected.pszTexts, WindowText(progress) + "|" + ItemText(progress, IDC_CURRENT_GROUP) + "|" +
                                     ItemText(progress, IDC_PROGRESS_GROUP) + "|" + ItemText(progress, IDC_PLEASE_WAIT))
        << expected.pszCode;
  }
  theApp.m_strLanguage = strSavedLanguage;
}

// A line longer than the box stays one line; the text shows in the fixed
// pitch font the dialog creates.
TEST(AgreementDialog, LongLinesDoNotWrapAndTheFontIsFixedPitch)
{
  CAgreementDlg dlg;
  dlg.m_strText = CString('x', 400) + "\r\nshort line";
  LRESULT nLines = 0;
  LONG_PTR nStyle = 0;
  LOGFONTA font = {};
  EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
              HWND hEdit = ::GetDlgItem(hDlg, IDC_AGREEMENT_TEXT);
              nLines = ::SendMessageA(hEdit, EM_GETLINECOUNT, 0, 0);
              nStyle = ::GetWindowLongPtrA(hEdit, GWL_STYLE);
              HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(hEdit, WM_GETFONT, 0, 0));
              ::GetObjectA(hFont, sizeof(font), &font);
              ClickButton(hDlg, IDOK);
            }));
  EXPECT_EQ(2, nLines);
  EXPECT_TRUE(nStyle & ES_AUTOHSCROLL);
  EXPECT_TRUE(nStyle & ES_READONLY);
  EXPECT_STREQ("Courier New", font.lfFaceName);
  EXPECT_EQ(14, font.lfHeight);
  EXPECT_EQ(7, font.lfWidth);
  EXPECT_EQ(500, font.lfWeight);
  EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
  EXPECT_EQ(OUT_TT_PRECIS, font.lfOutPrecision);
  EXPECT_EQ(PROOF_QUALITY, font.lfQuality);
}

// setup pumps no messages while it reads its file or extracts: the windows
// it creates modeless must not wait for a WM_PAINT to show their contents.
TEST(ModelessWindows, ArePaintedBeforeCreateReturns)
{
  CInitDlg startup;
  ASSERT_TRUE(startup.Create(CInitDlg::IDD, NULL));
  CProgressDlg progress;
  ASSERT_TRUE(progress.Create(CProgressDlg::IDD, NULL));
  for (HWND hWindow : {startup.m_hWnd, progress.m_hWnd}) {
    SCOPED_TRACE(WindowText(hWindow));
    EXPECT_TRUE(::IsWindowVisible(hWindow));
    EXPECT_FALSE(::GetUpdateRect(hWindow, NULL, FALSE));
    for (HWND hChild = ::GetWindow(hWindow, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
      EXPECT_FALSE(::GetUpdateRect(hChild, NULL, FALSE)) << "control " << ::GetDlgCtrlID(hChild);
  }
}

COLORREF PixelOf(const std::vector<DWORD>& pixels, int nWidth, int x, int y)
{
  DWORD n = pixels[static_cast<size_t>(y) * nWidth + x];  // top-down BGRA
  return RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
}

// The background: every gradient row of the bitmap, the startup box hidden,
// the window maximised under its title, the icon handed to the system.
TEST(BackgroundWindow, PaintsTheGradientAndHidesTheStartupBox)
{
  CString strSavedName = theApp.m_strAppName;
  theApp.m_strAppName = "Pixel Test";
  ASSERT_TRUE(theApp.m_initDlg.Create(CInitDlg::IDD, NULL));
  EXPECT_TRUE(::IsWindowVisible(theApp.m_initDlg));
  EXPECT_TRUE(SaveWindowShot(theApp.m_initDlg, "startup"));

  CBackgroundWnd background;
  ASSERT_TRUE(background.Create(CBackgroundWnd::IDD, NULL));
  EXPECT_FALSE(::IsWindowVisible(theApp.m_initDlg));
  EXPECT_TRUE(::IsZoomed(background));
  EXPECT_EQ("Pixel Test - Setup", WindowText(background));
  EXPECT_TRUE(SaveWindowShot(background, "background"));
  EXPECT_EQ(reinterpret_cast<LRESULT>(background.m_hIcon), background.SendMessage(WM_GETICON, ICON_BIG));
  EXPECT_EQ(reinterpret_cast<LRESULT>(background.m_hIcon), background.SendMessage(WM_GETICON, ICON_SMALL));
  EXPECT_EQ(reinterpret_cast<LRESULT>(background.m_hIcon), background.SendMessage(WM_QUERYDRAGICON));

  RECT rcDesktop;
  ::GetClientRect(::GetDesktopWindow(), &rcDesktop);
  BITMAP bm = {};
  ASSERT_TRUE(::GetObjectA(background.m_bitmap.GetSafeHandle(), sizeof(bm), &bm));
  ASSERT_EQ(rcDesktop.right, bm.bmWidth);
  ASSERT_EQ(rcDesktop.bottom, bm.bmHeight);

  const int nWidth = bm.bmWidth, nHeight = bm.bmHeight;
  std::vector<DWORD> pixels(static_cast<size_t>(nWidth) * nHeight);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), nWidth, -nHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC hScreen = ::GetDC(NULL);
  int nRows =
      ::GetDIBits(hScreen, static_cast<HBITMAP>(background.m_bitmap), 0, nHeight, pixels.data(), &info, DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hScreen);
  ASSERT_EQ(nHeight, nRows);

  // Right of the title every row is one grey: 256 * y / height.
  for (int y = 0; y < nHeight; ++y) {
    const int nGrey = 256 * y / nHeight;
    ASSERT_EQ(RGB(nGrey, nGrey, nGrey), PixelOf(pixels, nWidth, nWidth - 1, y)) << "row " << y;
  }
  background.DestroyWindow();
  theApp.m_initDlg.DestroyWindow();
  theApp.m_strAppName = strSavedName;
}

}  // namespace
