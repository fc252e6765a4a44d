// What the install pipeline asks of its surroundings, and the one way setup
// tells the person anything: a status line, the entry being extracted and
// the progress, Retry or Stop for an entry that failed, a failure or
// notice, and the end. Every message and answer reaches the log (/LOG=),
// whichever face shows it: the dialogs' (setup/dialogs/DialogFeedback.h),
// or the unattended one below, which only logs.
#pragma once
#include <stdint.h>

#include "common/InstallLog.h"
#include "framework/afxwin.h"

class CInstallFeedback
{
public:
  // bAttended: a person answers the questions, so that the answers are
  // worth logging.
  CInstallFeedback(CInstallLog& log, bool bAttended) : m_log(log), m_bAttended(bAttended) {}
  CInstallFeedback(const CInstallFeedback&) = delete;
  CInstallFeedback& operator=(const CInstallFeedback&) = delete;

  CInstallLog& Log() { return m_log; }

  // A status line of the sequence (checking old data, creating shortcuts...).
  void ShowStatus(const char* lpszText);
  // The entry about to be extracted, then the same entry once it is in place.
  void ShowEntry(const char* lpszName) { OnEntry(lpszName); }
  void EntryDone(const char* lpszName, int32_t nSize);
  // A message for the person, with the buttons and icon of nType (MB_...).
  // Returns the button chosen; an unattended run chooses nUnattended.
  // pOwner owns the box; NULL: the window setup shows its progress over.
  int Tell(const char* lpszText, const char* lpszCaption, UINT nType, int nUnattended = IDOK, CWnd* pOwner = NULL);
  // An entry could not be extracted: true to try it again, false to stop.
  // The log gets the text without the advice that follows its first
  // paragraph, and the answer.
  bool AskRetry(const char* lpszText);
  // The extraction and the steps after it are over: the progress goes.
  void EndProgress() { OnEndProgress(); }

protected:
  // Faces live where they are used, never deleted through this class.
  ~CInstallFeedback() = default;

  // What the face shows: nothing, unless it overrides.
  virtual void OnStatus(const char*) {}
  virtual void OnEntry(const char*) {}
  virtual void OnEntryDone(int32_t) {}
  virtual int OnTell(const char* lpszText, const char* lpszCaption, UINT nType, int nUnattended, CWnd* pOwner) = 0;
  virtual void OnEndProgress() {}

private:
  CInstallLog& m_log;
  bool m_bAttended;
};

// The unattended face (/S): no window at all; every question gets the
// answer an unattended run gives.
class CUnattendedFeedback : public CInstallFeedback
{
public:
  explicit CUnattendedFeedback(CInstallLog& log) : CInstallFeedback(log, false) {}

protected:
  int OnTell(const char*, const char*, UINT, int nUnattended, CWnd*) override { return nUnattended; }
};
