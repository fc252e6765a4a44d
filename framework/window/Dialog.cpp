#include "framework/window/Dialog.h"
#include "framework/window/DataExchange.h"
#include "framework/window/WinApp.h"

// The dialog initialisation resource: records of (WORD control id, WORD
// message, DWORD length, text) ended by a WORD 0. The message is given in
// the 16-bit numbering, where CB_ADDSTRING was WM_USER + 3.
static const WORD RT_DLGINIT_TYPE = 240;
static const WORD DLGINIT_CB_ADDSTRING = 0x0403;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bModal(false)
{}

CDialog::~CDialog()
{
  if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
    ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
    ::DestroyWindow(m_hWnd);
  }
}

INT_PTR CDialog::DoModal()
{
  HWND hOwner = m_pParentWnd != NULL ? m_pParentWnd->m_hWnd : NULL;
  CWinApp* pApp = AfxGetApp();
  if (hOwner == NULL && pApp != NULL && pApp->m_pMainWnd != NULL)
    hOwner = pApp->m_pMainWnd->m_hWnd;
  m_bModal = true;
  INT_PTR nResult = ::DialogBoxParamA(::GetModuleHandleW(NULL), MAKEINTRESOURCEA(m_nIDTemplate), hOwner, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
  m_bModal = false;
  return nResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
  m_nIDTemplate = nIDTemplate;
  m_pParentWnd = pParentWnd;
  m_bModal = false;
  HWND hWnd =
      ::CreateDialogParamA(::GetModuleHandleW(NULL), MAKEINTRESOURCEA(nIDTemplate),
                           pParentWnd != NULL ? pParentWnd->m_hWnd : NULL, DialogProc, reinterpret_cast<LPARAM>(this));
  if (hWnd == NULL)
    return FALSE;
  // No message loop may run before the program's next modal dialog: a
  // window that shows itself paints now, or stays blank until then.
  if (::IsWindowVisible(hWnd))
    ::RedrawWindow(hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

void CDialog::EndDialog(int nResult)
{
  if (m_hWnd == NULL)
    return;
  if (m_bModal)
    ::EndDialog(m_hWnd, nResult);
  else
    ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog()
{
  ExecuteDlgInit();
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK()
{
  if (!UpdateData(TRUE))
    return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::ExecuteDlgInit()
{
  HMODULE hModule = ::GetModuleHandleW(NULL);
  HRSRC hResource = ::FindResourceA(hModule, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(RT_DLGINIT_TYPE));
  if (hResource == NULL)
    return;
  HGLOBAL hData = ::LoadResource(hModule, hResource);
  const BYTE* pData = hData != NULL ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
  if (pData == NULL)
    return;
  const DWORD nSize = ::SizeofResource(hModule, hResource);

  // Records need not be aligned: read the fields byte-wise, and never past
  // the resource's end.
  DWORD nPos = 0;
  while (nPos + 8 <= nSize) {
    WORD nID, nMessage;
    DWORD nLength;
    memcpy(&nID, pData + nPos, 2);
    if (nID == 0)
      break;
    memcpy(&nMessage, pData + nPos + 2, 2);
    memcpy(&nLength, pData + nPos + 4, 4);
    nPos += 8;
    if (nLength > nSize - nPos)
      break;
    if (nMessage == DLGINIT_CB_ADDSTRING) {
      const char* pText = reinterpret_cast<const char*>(pData + nPos);
      CString strText(pText, static_cast<int>(strnlen(pText, nLength)));
      ::SendDlgItemMessageA(m_hWnd, nID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(strText)));
    }
    nPos += nLength;
  }
}

// A popup that its initialisation neither placed (DS_CENTER) nor moved is
// centred over its owner, or over the work area when it has none.
void CDialog::CenterOverOwner()
{
  RECT rcWork;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
  RECT rcArea = rcWork;
  HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
  if (hOwner != NULL && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
    ::GetWindowRect(hOwner, &rcArea);

  RECT rcDlg;
  ::GetWindowRect(m_hWnd, &rcDlg);
  const int nWidth = rcDlg.right - rcDlg.left;
  const int nHeight = rcDlg.bottom - rcDlg.top;
  int x = (rcArea.left + rcArea.right - nWidth) / 2;
  int y = (rcArea.top + rcArea.bottom - nHeight) / 2;
  if (x + nWidth > rcWork.right)
    x = rcWork.right - nWidth;
  if (y + nHeight > rcWork.bottom)
    y = rcWork.bottom - nHeight;
  if (x < rcWork.left)
    x = rcWork.left;
  if (y < rcWork.top)
    y = rcWork.top;
  ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  CDialog* pDialog;
  if (message == WM_INITDIALOG) {
    pDialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
    pDialog->m_hWnd = hWnd;
  } else {
    pDialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (pDialog == NULL)
      return FALSE;
  }
  return pDialog->HandleMessage(message, wParam, lParam);
}

// Messages whose result a dialog procedure returns itself rather than
// through DWLP_MSGRESULT.
static bool ReturnsResultDirectly(UINT message)
{
  return message == WM_QUERYDRAGICON || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG ||
         message == WM_CTLCOLOREDIT || message == WM_CTLCOLORBTN || message == WM_CTLCOLORLISTBOX ||
         message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
  case WM_INITDIALOG: {
    RECT rcBefore, rcAfter;
    ::GetWindowRect(m_hWnd, &rcBefore);
    BOOL bDefaultFocus = OnInitDialog();
    ::GetWindowRect(m_hWnd, &rcAfter);
    const LONG_PTR nStyle = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    if (memcmp(&rcBefore, &rcAfter, sizeof(RECT)) == 0 && (nStyle & (WS_CHILD | DS_CENTER)) == 0)
      CenterOverOwner();
    return bDefaultFocus;
  }
  case WM_NCDESTROY:
    ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
    m_hWnd = NULL;
    return FALSE;
  default: break;
  }

  LRESULT lResult = 0;
  if (OnWndMsg(message, wParam, lParam, &lResult)) {
    if (ReturnsResultDirectly(message))
      return lResult;
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (LOWORD(wParam) == IDOK) {
      OnOK();
      return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      OnCancel();
      return TRUE;
    }
  }
  return FALSE;
}
