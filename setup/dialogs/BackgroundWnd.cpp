#include "setup/dialogs/BackgroundWnd.h"
#include "setup/SetupApp.h"
#include "setup/SetupTexts.h"

BEGIN_MESSAGE_MAP(CBackgroundWnd, CDialog)
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CBackgroundWnd::CBackgroundWnd(CWnd* pParent) : CDialog(IDD, pParent)
{
  m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CBackgroundWnd::~CBackgroundWnd() {}

void CBackgroundWnd::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PICTURE, m_picture);
}

BOOL CBackgroundWnd::OnInitDialog()
{
  CDialog::OnInitDialog();

  CString strTitle = theApp.m_strAppName + kTitleSuffix;
  SetWindowText(strTitle);
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  RECT rcDesktop;
  ::GetClientRect(::GetDesktopWindow(), &rcDesktop);
  const int nWidth = rcDesktop.right;
  const int nHeight = rcDesktop.bottom;

  CDC* pWindowDC = GetDC();
  m_bitmap.CreateCompatibleBitmap(pWindowDC, nWidth, nHeight);
  CDC memDC;
  memDC.CreateCompatibleDC(pWindowDC);
  ReleaseDC(pWindowDC);

  HGDIOBJ hOldBitmap = memDC.SelectObject(&m_bitmap);
  PaintGradient(memDC, nWidth, nHeight);
  PaintTitle(memDC, strTitle);
  // The picture control draws the bitmap through a context of its own, and
  // a bitmap can be selected into one context at a time.
  ::SelectObject(memDC.m_hDC, hOldBitmap);
  m_picture.SetBitmap(m_bitmap);

  theApp.m_initDlg.EndDialog(0);
  ShowWindow(SW_SHOWMAXIMIZED);
  memDC.DeleteDC();
  return TRUE;
}

// Rows from black at the top to nearly white at the bottom: grey level
// 256 * y / height.
void CBackgroundWnd::PaintGradient(CDC& dc, int nWidth, int nHeight)
{
  for (int y = 0; y < nHeight; ++y) {
    const COLORREF nGrey = static_cast<COLORREF>((256 * y) / nHeight);
    dc.FillSolidRect(0, y, nWidth, 1, nGrey * 0x010101);
  }
}

// The title in white with a dark grey shadow 4 pixels right and below.
void CBackgroundWnd::PaintTitle(CDC& dc, const CString& strTitle)
{
  CFont titleFont;
  titleFont.CreateFont(50, 25, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, FIXED_PITCH, "Courier New");
  HGDIOBJ hOldFont = dc.SelectObject(&titleFont);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0x55, 0x55, 0x55));
  dc.TextOut(34, 34, strTitle);
  dc.SetTextColor(RGB(0xFF, 0xFF, 0xFF));
  dc.TextOut(30, 30, strTitle);
  ::SelectObject(dc.m_hDC, hOldFont);
}

HCURSOR CBackgroundWnd::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
