// The journal's rollback: every record undone, the last first.
#include "setup/install/InstallJournal.h"

#include <stdlib.h>
#include <string.h>

#include "common/JoinPath.h"
#include "common/RollbackJournal.h"
#include "framework/os/FileSystem.h"
#include "framework/os/FolderScan.h"
#include "framework/os/ObjectArray.h"
#include "framework/os/RegKey.h"
#include "framework/os/System.h"
#include "setup/install/FontRegistration.h"
#include "setup/install/JournalText.h"

namespace {

HKEY RootFromName(const CString& strName)
{
  return strName == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// A file of this run: a read-only one too.
bool RemoveAnyFile(const char* lpszPath)
{
  const uint32_t nAttributes = GetPathAttributes(lpszPath);
  if (nAttributes == kNoAttributes)
    return true;
  if (nAttributes & FILE_ATTRIBUTE_READONLY)
    SetPathAttributes(lpszPath, nAttributes & ~static_cast<uint32_t>(FILE_ATTRIBUTE_READONLY));
  return (nAttributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveFolder(lpszPath) : RemoveFile(lpszPath);
}

// Everything in lpszFolder but the entry lpszKept.
void EmptyFolderBut(const char* lpszFolder, const char* lpszKept)
{
  CFolderScan scan;
  if (!scan.First(JoinPath(lpszFolder, "*")))
    return;
  do {
    if (scan.IsDotEntry())
      continue;
    const CString strEntry = JoinPath(lpszFolder, scan.Name());
    if (strEntry == lpszKept)
      continue;
    if (scan.IsFolder() && !(scan.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT))
      RemoveJournalTree(strEntry);
    else
      RemoveAnyFile(strEntry);
  } while (scan.Next());
}

bool RestoreValue(const JournalRecord& record)
{
  CRegKey key;
  const LONG nOpened = key.Open(RootFromName(record.fields[0]), record.fields[1], KEY_SET_VALUE);
  if (record.strTag == "novalue")
    return nOpened == ERROR_FILE_NOT_FOUND || (nOpened == ERROR_SUCCESS && key.DeleteValue(record.fields[2]));
  uint8_t* pData = NULL;
  size_t nBytes = 0;
  const bool bRestored = nOpened == ERROR_SUCCESS && BytesFromHex(record.fields[4], pData, nBytes) &&
                         key.SetRaw(record.fields[2], strtoul(record.fields[3], NULL, 10), pData,
                                    static_cast<DWORD>(nBytes));
  free(pData);
  return bRestored;
}

bool ReadJournal(const char* lpszPath, CString& strText)
{
  FILE* pFile = OpenFileStream(lpszPath, "rb");
  if (pFile == NULL)
    return false;
  char szBlock[4096];
  for (size_t nRead; (nRead = fread(szBlock, 1, sizeof(szBlock), pFile)) > 0;)
    strText += CString(szBlock, static_cast<int>(nRead));
  fclose(pFile);
  return true;
}

}  // namespace

const char* RootName(HKEY hRoot) { return hRoot == HKEY_CURRENT_USER ? "HKCU" : "HKLM"; }

void RemoveJournalTree(const char* lpszPath)
{
  EmptyFolderBut(lpszPath, "");
  RemoveAnyFile(lpszPath);
}

bool CInstallJournal::Undo(const JournalRecord& record, bool& bFontsChanged)
{
  const CString& strTag = record.strTag;
  const char* pszPath = record.fields[0];
  if (strTag == "moved") {
    // Nothing was moved when the kill came before the rename.
    const CString strAside = JoinPath(m_strFolder, record.fields[0]);
    pszPath = record.fields[1];
    return !PathIsPresent(strAside) || (RemoveAnyFile(pszPath) && RenamePath(strAside, pszPath));
  }
  if (strTag == "file")
    return RemoveAnyFile(pszPath);
  if (strTag == "folder") {
    // Still holding what is not this run's, it stays; that is no failure.
    if (IsFolder(pszPath) && !RemoveFolder(pszPath))
      m_log.Write("folder not removed (not empty)", pszPath);
    return true;
  }
  if (strTag == "tree") {
    // The destination was this run's: all of it goes but the journal,
    // which goes last.
    EmptyFolderBut(pszPath, m_strFolder);
    return true;
  }
  if (strTag == "renamed")
    return PathIsPresent(pszPath) || !PathIsPresent(record.fields[1]) || RenamePath(record.fields[1], pszPath);
  if (strTag == "removedfolder")
    return IsFolder(pszPath) || MakeFolder(pszPath) == kFolderMade;
  if (strTag == "font") {
    RemoveFontFile(pszPath);
    bFontsChanged = true;
    return true;
  }
  if (strTag == "key") {
    CRegKey key;
    return key.Open(RootFromName(record.fields[0]), record.fields[1], KEY_QUERY_VALUE) == ERROR_FILE_NOT_FOUND ||
           (key.Close(), CRegKey::DeleteKey(RootFromName(record.fields[0]), record.fields[1]));
  }
  if (strTag == "value" || strTag == "novalue")
    return RestoreValue(record);
  return true;  // "setup", "undone"
}

bool CInstallJournal::RollBack()
{
  Close();
  const CString strJournal = JournalPath(m_strDestDir);
  CString strText;
  JournalRecord* pRecords = NULL;
  int32_t nRecords = ReadJournal(strJournal, strText) ? ParseJournal(strText, strText.GetLength(), pRecords) : -1;
  if (nRecords < 0) {
    m_log.Write("rollback", "the journal cannot be read");
    return false;
  }
  // A rollback cut short marked what it had undone.
  bool* pUndone = static_cast<bool*>(calloc(static_cast<size_t>(nRecords) + 1, sizeof(bool)));
  bool bOwnsDest = false;
  for (int32_t i = 0; pUndone != NULL && i < nRecords; ++i) {
    if (pRecords[i].strTag == "undone") {
      const long n = strtol(pRecords[i].fields[0], NULL, 10);
      if (n >= 0 && n < nRecords)
        pUndone[n] = true;
    }
    bOwnsDest = bOwnsDest || pRecords[i].strTag == "tree";
  }
  m_pFile = OpenFileStream(strJournal, "ab");
  int32_t nFailed = pUndone == NULL ? 1 : 0;
  bool bFontsChanged = false;
  for (int32_t i = nRecords - 1; pUndone != NULL && i >= 0; --i) {
    const JournalRecord& record = pRecords[i];
    if (pUndone[i] || record.strTag == "undone" || record.strTag == "setup")
      continue;
    // The folders that hold the journal go once it is gone.
    if (record.strTag == "folder" && IsBelow(m_strFolder, record.fields[0]))
      continue;
    if (Undo(record, bFontsChanged)) {
      Write("undone", DecimalText(i));
    } else {
      ++nFailed;
      m_log.Write("not undone", record.strTag + " " + record.fields[record.strTag == "moved" ? 1 : 0]);
    }
  }
  Close();
  if (bFontsChanged)
    AnnounceFontChange();
  if (nFailed == 0 && RemoveFile(strJournal)) {
    RemoveJournalTree(m_strFolder);
    for (int32_t i = nRecords - 1; i >= 0; --i)
      if ((pRecords[i].strTag == "folder" || pRecords[i].strTag == "tree") && IsBelow(m_strFolder, pRecords[i].fields[0]))
        RemoveFolder(pRecords[i].fields[0]);
  } else {
    nFailed += nFailed == 0;
  }
  free(pUndone);
  DeleteObjectArray(pRecords, nRecords);
  m_log.Write("rollback", nFailed == 0 ? "everything undone" : "not everything could be undone");
  (void)bOwnsDest;
  return nFailed == 0;
}

bool CInstallJournal::RollBackUnfinished(const char* lpszDestDir, CInstallLog& log)
{
  CString strSetup;
  if (!FindUnfinishedJournal(lpszDestDir, strSetup))
    return true;
  log.Write("unfinished installation", CString(lpszDestDir) + " (by " + strSetup + "): undoing it first");
  CInstallJournal journal(log);
  journal.m_strDestDir = lpszDestDir;
  journal.m_strFolder = JoinPath(lpszDestDir, kRollbackFolderName);
  return journal.RollBack();
}
