// setup's first windows, created for real: the progress dialog over a real
// extraction, the agreement's text box, and the background.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "common/InstallNames.h"
#include "common/UninstallData.h"
#include "setup/SetupData.h"
#include "setup/dialogs/AgreementDlg.h"
#include "setup/dialogs/InitDlg.h"
#include "setup/dialogs/BackgroundWnd.h"
#include "setup/dialogs/DialogFeedback.h"
#include "setup/dialogs/ProgressDlg.h"
#include "setup/install/InstallPipeline.h"
#include "tests/setup-ui/UiTestSupport.h"

namespace {

struct BarReading
{
  int nPos;
  std::string strCurrent;
};

// The dialogs' feedback over a real progress dialog, reading the bar after
// each entry; an entry that fails is stopped at without a box.
class CBarReader : public CDialogFeedback
{
public:
  explicit CBarReader(CInstallLog& log) : CDialogFeedback(log) {}
  std::vector<BarReading> readings;
  HWND hProgress = NULL;

protected:
  void OnEntryDone(int32_t nSize) override
  {
    CDialogFeedback::OnEntryDone(nSize);
    readings.push_back({static_cast<int>(::SendDlgItemMessageA(hProgress, IDC_PROGRESS, PBM_GETPOS, 0, 0)),
                        ItemText(hProgress, IDC_CURRENT_FILE)});
  }
  int OnTell(const char*, const char*, UINT, int, CWnd*) override { return IDCANCEL; }
};

// Loads an installer and readies the progress dialog as the install
// sequence does.
class ProgressFixture : public ::testing::Test
{
protected:
  void Load(const char* pszInstaller)
  {
    CString strAgreement;
    ASSERT_FALSE(m_setup.LoadOverlayFrom(PayloadPath(pszInstaller).c_str(), strAgreement)) << m_setup.m_strError;
    m_setup.BuildFileTable();
    ASSERT_TRUE(m_progress.Create(CProgressDlg::IDD, NULL));
    m_progress.m_progress.SetRange32(0, m_setup.m_nTotalSize);
    m_feedback.SetProgress(&m_progress);
    m_feedback.hProgress = m_progress.m_hWnd;
    m_choices.strDestDir = m_dest.Path().c_str();
  }
  // As the pipeline extracts: with its journal begun.
  int32_t ExtractFiles()
  {
    CInstallPipeline pipeline(m_setup, m_feedback, m_choices);
    EXPECT_TRUE(pipeline.BeginJournal());
    return pipeline.ExtractFiles();
  }
  std::string Contents(const std::string& strPath) const
  {
    std::string strData;
    if (FILE* pFile = fopen(strPath.c_str(), "rb")) {
      char szBlock[256];
      for (size_t n; (n = fread(szBlock, 1, sizeof(szBlock), pFile)) > 0;)
        strData.append(szBlock, n);
      fclose(pFile);
    }
    return strData;
  }
  PBRANGE Range() const
  {
    PBRANGE range = {-1, -1};
    ::SendDlgItemMessageA(m_progress, IDC_PROGRESS, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    return range;
  }
  int Pos() const { return static_cast<int>(::SendDlgItemMessageA(m_progress, IDC_PROGRESS, PBM_GETPOS, 0, 0)); }
  DWORD FileSize(const char* pszName) const
  {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA((m_dest.Path() + "\\" + pszName).c_str(), GetFileExInfoStandard, &data))
      return 0xFFFFFFFF;
    return data.nFileSizeLow;
  }

  CSetupData m_setup;
  CInstallLog m_log;
  CBarReader m_feedback{m_log};
  CProgressDlg m_progress{m_setup};
  CScratchDir m_dest;
  InstallChoices m_choices{};
};

TEST_F(ProgressFixture, BarAdvancesByEachEntrysSizeWhileItsNameShows)
{
  Load("three.exe");
  PBRANGE range = Range();
  EXPECT_EQ(0, range.iLow);
  EXPECT_EQ(10000, range.iHigh);
  EXPECT_EQ(0, Pos());

  EXPECT_EQ(CInstallPipeline::kAllExtracted, ExtractFiles());

  const std::vector<BarReading>& readings = m_feedback.readings;
  ASSERT_EQ(3u, readings.size());
  EXPECT_EQ(1000, readings[0].nPos);
  EXPECT_EQ(3000, readings[1].nPos);
  EXPECT_EQ(10000, readings[2].nPos);
  EXPECT_EQ("a.bin", readings[0].strCurrent);
  EXPECT_EQ("sub\\b.bin", readings[1].strCurrent);
  EXPECT_EQ("c.bin", readings[2].strCurrent);
  EXPECT_TRUE(SaveWindowShot(m_progress, "progress-eng"));
  EXPECT_EQ(1000u, FileSize("a.bin"));
  EXPECT_EQ(2000u, FileSize("sub\\b.bin"));
  EXPECT_EQ(7000u, FileSize("c.bin"));
}

TEST_F(ProgressFixture, EmptyArchiveLeavesTheBarAtZeroAndTheTemplateText)
{
  Load("empty.exe");
  EXPECT_EQ(0, Range().iHigh);
  EXPECT_EQ(CInstallPipeline::kAllExtracted, ExtractFiles());
  EXPECT_TRUE(m_feedback.readings.empty());
  EXPECT_EQ(0, Pos());
  EXPECT_EQ("Static", ItemText(m_progress, IDC_CURRENT_FILE));
}

// The second entry's data is damaged: extraction stops there, names the
// entry, and the bar shows only what was installed.
TEST_F(ProgressFixture, DamagedEntryStopsTheExtractionAtThatEntry)
{
  Load("damaged.exe");
  EXPECT_EQ(1, ExtractFiles());
  ASSERT_EQ(1u, m_feedback.readings.size());
  EXPECT_EQ(1000, Pos());
  EXPECT_EQ("sub\\b.bin", ItemText(m_progress, IDC_CURRENT_FILE));
  EXPECT_EQ(0xFFFFFFFFu, FileSize("c.bin"));
}

// Stopped at the damaged second entry of a reinstall, the installation is
// undone: the earlier a.bin (read-only) and uninstall.dat come back byte
// for byte, and what the run made (sub, sub\b.bin, the journal) is gone.
// A first installation into a folder it made leaves not even that folder.
TEST_F(ProgressFixture, AStoppedInstallationIsUndone)
{
  Load("damaged.exe");
  const std::string strDest = m_dest.Path();
  const std::string strEarlier("SS02Bar Test\0\1\0\0\0a.bin\0\0\0\0\0\0\0\0\0", 4 + 9 + 4 + 6 + 8);
  for (const auto& file : {std::make_pair("uninstall.dat", strEarlier), std::make_pair("a.bin", std::string("earlier"))})
    if (FILE* pFile = fopen((strDest + "\\" + file.first).c_str(), "wb")) {
      fwrite(file.second.data(), 1, file.second.size(), pFile);
      fclose(pFile);
    }
  ::SetFileAttributesA((strDest + "\\a.bin").c_str(), FILE_ATTRIBUTE_READONLY);

  EXPECT_EQ(kInstallUndone, CInstallPipeline(m_setup, m_feedback, m_choices).Run());
  EXPECT_EQ("earlier", Contents(strDest + "\\a.bin"));
  // Read-only again (some file systems add the archive bit on the way back).
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
            ::GetFileAttributesA((strDest + "\\a.bin").c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(strEarlier, Contents(strDest + "\\uninstall.dat"));
  for (const char* pszMade : {"sub", "~setup-rollback"})
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((strDest + "\\" + pszMade).c_str())) << pszMade;
  ::SetFileAttributesA((strDest + "\\a.bin").c_str(), FILE_ATTRIBUTE_NORMAL);

  m_choices.strDestDir = (strDest + "\\first").c_str();
  m_choices.bMadeDestDir = ::CreateDirectoryA(m_choices.strDestDir, NULL) != FALSE;
  EXPECT_EQ(kInstallUndone, CInstallPipeline(m_setup, m_feedback, m_choices).Run());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_choices.strDestDir));
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
  for (const Expected& expected : cases) {
    CSetupData setup;
    setup.m_strLanguage = expected.pszCode;
    CProgressDlg progress(setup);
    ASSERT_TRUE(progress.Create(CProgressDlg::IDD, NULL));
    EXPECT_EQ(expected.pszTexts, WindowText(progress) + "|" + ItemText(progress, IDC_CURRENT_GROUP) + "|" +
                                     ItemText(progress, IDC_PROGRESS_GROUP) + "|" + ItemText(progress, IDC_PLEASE_WAIT))
        << expected.pszCode;
  }
}

// A line longer than the box stays one line; the text shows in a fixed
// pitch font that a person can read at the box's size: letters of one
// width, a full line of text across the box and a page of lines down it.
TEST(AgreementDialog, LongLinesDoNotWrapAndTheTextIsReadableInAFixedPitchFont)
{
  CSetupData setup;
  CAgreementDlg dlg;
  dlg.m_pSetup = &setup;
  dlg.m_strText = CString('x', 400) + "\r\nshort line";
  LRESULT nLines = 0;
  LONG_PTR nStyle = 0;
  TEXTMETRICA metrics = {};
  SIZE narrow = {}, wide = {};
  RECT rcBox = {};
  EXPECT_EQ(IDOK, RunModal(dlg, [&](HWND hDlg) {
              HWND hEdit = ::GetDlgItem(hDlg, IDC_AGREEMENT_TEXT);
              nLines = ::SendMessageA(hEdit, EM_GETLINECOUNT, 0, 0);
              nStyle = ::GetWindowLongPtrA(hEdit, GWL_STYLE);
              ::SendMessageA(hEdit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rcBox));
              HDC hDC = ::GetDC(hEdit);
              HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(::SendMessageA(hEdit, WM_GETFONT, 0, 0)));
              ::GetTextMetricsA(hDC, &metrics);
              ::GetTextExtentPoint32A(hDC, "iiiiiiiiii", 10, &narrow);
              ::GetTextExtentPoint32A(hDC, "WWWWWWWWWW", 10, &wide);
              ::SelectObject(hDC, hOld);
              ::ReleaseDC(hEdit, hDC);
              ClickButton(hDlg, IDOK);
            }));
  EXPECT_EQ(2, nLines);
  EXPECT_TRUE(nStyle & ES_AUTOHSCROLL);
  EXPECT_TRUE(nStyle & ES_READONLY);
  EXPECT_EQ(narrow.cx, wide.cx) << "not fixed pitch";
  EXPECT_GE(metrics.tmHeight, 12) << "too small to read";
  ASSERT_GT(metrics.tmAveCharWidth, 0);
  ASSERT_GT(metrics.tmHeight, 0);
  EXPECT_GE((rcBox.right - rcBox.left) / metrics.tmAveCharWidth, 60) << "columns";
  EXPECT_GE((rcBox.bottom - rcBox.top) / metrics.tmHeight, 8) << "lines";
}

// setup pumps no messages while it reads its file or extracts: the windows
// it creates modeless must not wait for a WM_PAINT to show their contents.
TEST(ModelessWindows, ArePaintedBeforeCreateReturns)
{
  CInitDlg startup;
  ASSERT_TRUE(startup.Create(CInitDlg::IDD, NULL));
  CSetupData setup;
  CProgressDlg progress(setup);
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
  CInitDlg startup;
  ASSERT_TRUE(startup.Create(CInitDlg::IDD, NULL));
  EXPECT_TRUE(::IsWindowVisible(startup));
  EXPECT_TRUE(SaveWindowShot(startup, "startup"));

  CBackgroundWnd background("Pixel Test", &startup);
  ASSERT_TRUE(background.Create(CBackgroundWnd::IDD, NULL));
  EXPECT_FALSE(::IsWindowVisible(startup));
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
  startup.DestroyWindow();
}

}  // namespace
