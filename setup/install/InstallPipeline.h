// The installation itself, from the first extracted entry to the
// registration, the same for the dialogs and for an unattended run: it
// takes the choices as values and tells the person everything through the
// feedback it is given. Calls go downward only: the pipeline calls the
// archive reader, the system wrappers and the feedback, none of which call
// back into it.
//
// Failure convention: a step returns true when it did what its name says;
// what went wrong has been logged and, where the person is to know, told.
#pragma once
#include "setup/SetupData.h"
#include "setup/install/InstallChoices.h"
#include "setup/install/InstallFeedback.h"
#include "setup/install/InstallJournal.h"

class UninstallData;

// How an installation ended.
enum InstallOutcome
{
  kInstallDone,       // installed and registered for removal
  kInstallUndone,     // stopped or failed, and undone: the machine is as it was
  kInstallNotUndone,  // stopped or failed, and not all of it could be undone
};

class CInstallPipeline
{
public:
  CInstallPipeline(CSetupData& setup, CInstallFeedback& feedback, const InstallChoices& choices);
  CInstallPipeline(const CInstallPipeline&) = delete;
  CInstallPipeline& operator=(const CInstallPipeline&) = delete;

  // The journal, extraction, clean-up, shortcuts, fonts, uninstall.dat,
  // registration, and the final message; on a stop or a failure, the
  // rollback and its message.
  InstallOutcome Run();

  // The journal, with the folders the choices made: false when it cannot
  // be kept, and then nothing may be changed.
  bool BeginJournal();

  // ExtractFiles' result when no entry stopped it.
  static constexpr int32_t kAllExtracted = -1;
  // Every entry of the file table below the destination, in archive order,
  // each named before and counted after. An entry that fails is offered
  // for Retry; on Stop the extraction ends there. kAllExtracted, or the
  // index of the entry it stopped at.
  int32_t ExtractFiles();
  // One entry; false with the reason, in the script's language.
  bool ExtractEntry(int32_t nIndex, CString& strCause);
  // The journal's records for an entry about to be extracted: the folders
  // it makes, the file it replaces moved aside, the file it makes.
  bool PrepareTarget(int32_t nIndex, CString& strCause);

  // What an earlier installation of the same application in the
  // destination left and this one does not bring again is deleted, with
  // its shortcuts. The record's names are relative to the destination.
  void CleanUpEarlierInstallation();
  void RemoveEarlierInstallation(UninstallData& earlier);

  // The links of the three shortcut lists: the program group's, then the
  // Startup folder's and the desktop's.
  void CreateAllShortcuts();
  void CreateShortcutsIn(ShortcutEntry* pList, int32_t nCount, const char* lpszValueName);
  HRESULT CreateShortcut(ShortcutEntry* pEntry, const char* lpszFolder);
  HRESULT CreateLink(const char* lpszTarget, const char* lpszLinkFile, const char* lpszDescription,
                     const char* lpszArguments);

  void InstallFonts();
  // The folder the fonts go to; false when it cannot be read or made.
  bool GetFontsFolder(CString& strFonts);

  // uninstall.dat in the destination; when it cannot be written the person
  // has been told.
  bool SaveUninstallData();
  // The Uninstall key and its values. A name that cannot name a key of its
  // own (empty, or with a backslash) is not registered, and that is no
  // failure.
  bool RegisterUninstall();
  // The entry's DisplayIcon: #Icon's file (",index" kept) in the
  // destination, else the first shortcut's target; empty without either.
  CString DisplayIcon() const;

private:
  const char* Text(const struct SetupText& text) const;
  // The rollback after a stop or a failure, and the message that says how
  // it went.
  InstallOutcome Undo();
  // The earlier file at lpszPath goes aside (journalled); false, with the
  // reason in the log, when it stays.
  bool RemoveEarlierFile(const char* lpszPath);

  CSetupData& m_setup;
  CInstallFeedback& m_feedback;
  CInstallLog& m_log;
  const InstallChoices& m_choices;
  CInstallJournal m_journal;
  int32_t m_nPrepared;  // the last entry whose target the journal has
  // The program group is the installation's: setup made it, now or for the
  // earlier installation of the application there. uninstall.dat says so.
  bool m_bOwnsProgramGroup;
};
