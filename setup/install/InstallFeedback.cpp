#include "setup/install/InstallFeedback.h"

#include <string.h>

#include "setup/SetupTexts.h"

namespace {

// The button's name for the log.
const char* ButtonName(int nButton)
{
  switch (nButton) {
  case IDOK: return "OK";
  case IDYES: return "Yes";
  case IDNO: return "No";
  case IDRETRY: return "Retry";
  default: return "Cancel";
  }
}

}  // namespace

void CInstallFeedback::ShowStatus(const char* lpszText)
{
  m_log.Write(lpszText);
  OnStatus(lpszText);
}

void CInstallFeedback::EntryDone(const char* lpszName, int32_t nSize)
{
  m_log.Write("installed", lpszName);
  OnEntryDone(nSize);
}

int CInstallFeedback::Tell(const char* lpszText, const char* lpszCaption, UINT nType, int nUnattended, CWnd* pOwner)
{
  m_log.Write(lpszCaption, lpszText);
  const int nButton = OnTell(lpszText, lpszCaption, nType, nUnattended, pOwner);
  if (m_bAttended && (nType & MB_TYPEMASK) != MB_OK)
    m_log.Write("answer", ButtonName(nButton));
  return nButton;
}

bool CInstallFeedback::AskRetry(const char* lpszText)
{
  const char* pAdvice = strstr(lpszText, "\n\n");
  m_log.Write(kErrorCaption,
              pAdvice != NULL ? CString(lpszText, static_cast<int>(pAdvice - lpszText)) : CString(lpszText));
  const int nButton = OnTell(lpszText, kErrorCaption, MB_RETRYCANCEL | MB_ICONEXCLAMATION, IDCANCEL, NULL);
  if (m_bAttended)
    m_log.Write("answer", ButtonName(nButton));
  return nButton == IDRETRY;
}
