#include "setup/dialogs/DialogFeedback.h"

#include "framework/os/System.h"

namespace {

// Nothing runs a message loop during the extraction; answer what other
// programs send and repaint, so the window is neither blank nor "not
// responding". The person's input stays queued.
void PumpPaintMessages()
{
  MSG msg;
  while (::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
    ::DispatchMessageW(&msg);
}

}  // namespace

void CDialogFeedback::OnStatus(const char* lpszText)
{
  if (m_pProgress != NULL)
    m_pProgress->SetDlgItemText(IDC_CURRENT_FILE, lpszText);
}

void CDialogFeedback::OnEntry(const char* lpszName)
{
  if (m_pProgress == NULL)
    return;
  m_pProgress->SetDlgItemText(IDC_CURRENT_FILE, "");
  m_pProgress->SetDlgItemText(IDC_CURRENT_FILE, lpszName);
  PumpPaintMessages();
}

void CDialogFeedback::OnEntryDone(int32_t nSize)
{
  if (m_pProgress != NULL)
    m_pProgress->m_progress.OffsetPos(nSize);
}

int CDialogFeedback::OnTell(const char* lpszText, const char* lpszCaption, UINT nType, int, CWnd* pOwner)
{
  // Without a caption: the framework's box, captioned with the program's name.
  if (lpszCaption == NULL)
    return AfxMessageBox(lpszText, nType);
  if (pOwner == NULL)
    pOwner = m_pOwner;
  return ShowMessageBox(pOwner != NULL ? pOwner->m_hWnd : NULL, lpszText, lpszCaption, nType);
}

void CDialogFeedback::OnEndProgress()
{
  if (m_pProgress != NULL)
    m_pProgress->EndDialog(0);
}
