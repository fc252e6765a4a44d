// The journal of one installation, and its rollback: every change the
// install pipeline makes to the machine is recorded before it is made, so
// that a stopped, failed or killed installation can be undone, leaving an
// earlier installation as it was, byte for byte (common/RollbackJournal.h
// gives its place and first line).
//
// What an entry replaces or the clean-up deletes is moved aside into the
// rollback folder, a rename on the destination's volume; the records name
// what was made (files, folders, links, font resources, registry keys) and
// the earlier data of each registry value set. A line reaches the disk
// before the change it records. Undoing runs from the last record to the
// first, marking each record undone as it goes, so that a rollback cut
// short by another kill can be run again and never undoes a record twice.
//
// Failure convention: a record call returns true when the record is on
// disk and the change may be made; RollBack true when everything was undone.
#pragma once
#include <stdio.h>
#include <windows.h>

#include "common/InstallLog.h"
#include "framework/String.h"

class CRegKey;

class CInstallJournal
{
public:
  explicit CInstallJournal(CInstallLog& log);
  ~CInstallJournal();
  CInstallJournal(const CInstallJournal&) = delete;
  CInstallJournal& operator=(const CInstallJournal&) = delete;

  // The journal of a new installation into lpszDestDir: its folder (a stale
  // one, without a journal, is emptied) and its first line. bMadeDestDir:
  // this run made the destination, so everything in it is the run's and
  // nothing in it needs a record of its own.
  bool Begin(const char* lpszDestDir, bool bMadeDestDir, const char* lpszAppName);
  bool OwnsDestination() const { return m_bOwnsDest; }

  // The file at lpszPath goes into the rollback folder. false when it could
  // not (the file stays; GetLastError says why).
  bool MoveAside(const char* lpszPath);
  // lpszPath is about to be made by this run.
  bool WillMakeFile(const char* lpszPath);
  bool WillMakeFolder(const char* lpszPath);
  // The missing folders from lpszDestDir down to lpszPath's parent, which
  // an extraction makes (each asked once per run).
  bool WillMakeParents(const char* lpszPath);
  // lpszFrom is about to become lpszTo.
  bool WillRename(const char* lpszFrom, const char* lpszTo);
  // The empty folder lpszPath is about to go (it is made again on undo).
  bool WillRemoveFolder(const char* lpszPath);
  // A font resource is about to be added from lpszPath.
  bool WillAddFont(const char* lpszPath);
  // The key lpszKey below hRoot is about to be made when it is missing,
  // and its value lpszName set: what was there is recorded.
  bool WillSetValue(HKEY hRoot, const char* lpszKey, const char* lpszName);

  // The installation is complete: the journal and what was moved aside go.
  void Finish();
  // A journal that could not begin goes again, with its folder.
  void Abandon();
  // Undoes every record, the last first; true when all of it was undone,
  // and then the journal and its folder are gone.
  bool RollBack();

  // An installation into lpszDestDir that never ended (killed, or a power
  // cut) is undone. true when there was none or it was undone whole.
  static bool RollBackUnfinished(const char* lpszDestDir, CInstallLog& log);

private:
  // A record undone; false when it could not be.
  bool Undo(const struct JournalRecord& record, bool& bFontsChanged);
  bool Write(const char* lpszTag, const char* lpszField1, const char* lpszField2 = NULL,
             const char* lpszField3 = NULL, const char* lpszField4 = NULL, const char* lpszField5 = NULL);
  bool IsKnownFolder(const CString& strFolder) const;
  void Close();

  CInstallLog& m_log;
  FILE* m_pFile;
  CString m_strDestDir;
  CString m_strFolder;   // the rollback folder
  int32_t m_nMoved;      // files moved aside so far: the next one's number
  bool m_bOwnsDest;
  bool m_bMadeFolder;  // Begin made the rollback folder
  CString* m_pKnownFolders;  // folders of the destination known to exist or to be recorded
  int32_t m_nKnownFolders;
  int32_t m_nKnownCapacity;
};

// The registry root's name in a record ("HKLM", "HKCU").
const char* RootName(HKEY hRoot);
// lpszPath and everything in it, read-only entries too; what cannot go stays.
void RemoveJournalTree(const char* lpszPath);
