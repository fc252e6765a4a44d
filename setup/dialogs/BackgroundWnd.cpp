#include "setup/dialogs/BackgroundWnd.h"
#include "setup/SetupTexts.h"

BEGIN_MESSAGE_MAP(CBackgroundWnd, CDialog)
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CBackgroundWnd::CBackgroundWnd(const char* lpszAppName, CDialog* pStartupBox, CWnd* pParent)
    : CDialog(IDD, pParent), m_strTitle(CString(lpszAppName) + kTitleSuffix), m_pStartupBox(pStartupBox)
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

  SetWindowText(m_strTitle);
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  RECT rcDesktop;
  ::GetClientRect(::GetDesktopWindow(), &rcDesktop);
  const int nWidth = rcDesktop.right;
  const int nHeight = rcDesktop.bottom;

  CDC memDC;
  {
    CClientDC windowDC(m_hWnd);
    m_bitmap.CreateCompatibleBitmap(&windowDC, nWidth, nHeight);
    memDC.CreateCompatibleDC(&windowDC);
  }
  {
    // The picture control draws the bitmap through a context of its own,
    // and a bitmap can be selected into one context at a time.
    CSelectedObject bitmap(memDC, m_bitmap);
    PaintGradient(memDC, nWidth, nHeight);
    PaintTitle(memDC);
  }
  m_picture.SetBitmap(m_bitmap);

  if (m_pStartupBox != NULL)
    m_pStartupBox->EndDialog(0);
  ShowWindow(SW_SHOWMAXIMIZED);
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
void CBackgroundWnd::PaintTitle(CDC& dc)
{
  CFont titleFont;
  titleFont.CreateFont(50, 25, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, FIXED_PITCH, "Courier New");
  CSelectedObject font(dc, titleFont);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0x55, 0x55, 0x55));
  dc.TextOut(34, 34, m_strTitle);
  dc.SetTextColor(RGB(0xFF, 0xFF, 0xFF));
  dc.TextOut(30, 30, m_strTitle);
}

HCURSOR CBackgroundWnd::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
