// The dialogs' face of the install feedback: status lines and the entry
// being extracted in the progress dialog, its bar advanced by each entry's
// size, and every message as a box owned by setup's main window (the
// background), or by the dialog that asks.
#pragma once
#include "setup/dialogs/ProgressDlg.h"
#include "setup/install/InstallFeedback.h"

class CDialogFeedback : public CInstallFeedback
{
public:
  explicit CDialogFeedback(CInstallLog& log) : CInstallFeedback(log, true), m_pOwner(NULL), m_pProgress(NULL) {}

  // The owner of boxes that name none; NULL until the background is up.
  void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
  // The progress dialog of the installation, which EndProgress hides.
  void SetProgress(CProgressDlg* pProgress) { m_pProgress = pProgress; }

protected:
  void OnStatus(const char* lpszText) override;
  void OnEntry(const char* lpszName) override;
  void OnEntryDone(int32_t nSize) override;
  int OnTell(const char* lpszText, const char* lpszCaption, UINT nType, int nUnattended, CWnd* pOwner) override;
  void OnEndProgress() override;

private:
  CWnd* m_pOwner;
  CProgressDlg* m_pProgress;
};
