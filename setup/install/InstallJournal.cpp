// The journal's records, written as the pipeline goes.
#include "setup/install/InstallJournal.h"

#include <string.h>

#include "common/JoinPath.h"
#include "common/RollbackJournal.h"
#include "framework/os/FileSystem.h"
#include "framework/os/ObjectArray.h"
#include "framework/os/RegKey.h"
#include "framework/os/System.h"
#include "setup/install/JournalText.h"

CInstallJournal::CInstallJournal(CInstallLog& log)
    : m_log(log), m_pFile(NULL), m_nMoved(0), m_bOwnsDest(false), m_bMadeFolder(false), m_pKnownFolders(NULL), m_nKnownFolders(0),
      m_nKnownCapacity(0)
{}

CInstallJournal::~CInstallJournal()
{
  Close();
  DeleteObjectArray(m_pKnownFolders, m_nKnownFolders);
}

void CInstallJournal::Close()
{
  if (m_pFile != NULL)
    fclose(m_pFile);
  m_pFile = NULL;
}

bool CInstallJournal::Begin(const char* lpszDestDir, bool bMadeDestDir, const char* lpszAppName)
{
  m_strDestDir = lpszDestDir;
  m_strFolder = JoinPath(lpszDestDir, kRollbackFolderName);
  m_bOwnsDest = bMadeDestDir;
  const CString strJournal = JournalPath(lpszDestDir);
  // An unfinished journal is undone before a new one begins, never lost.
  if (PathIsPresent(strJournal))
    return false;
  // Left by a run that ended after its journal went: files it had replaced.
  if (PathIsPresent(m_strFolder))
    RemoveJournalTree(m_strFolder);
  if (MakeFolder(m_strFolder) != kFolderMade)
    return false;
  m_bMadeFolder = true;
  SetPathAttributes(m_strFolder, FILE_ATTRIBUTE_HIDDEN);
  m_pFile = OpenFileStream(strJournal, "wb");
  CString strSetup;
  GetModulePath(strSetup);
  if (m_pFile == NULL || !Write("setup", strSetup, lpszAppName))
    return false;
  m_log.Write("journal", strJournal);
  return !bMadeDestDir || Write("tree", lpszDestDir);
}

bool CInstallJournal::Write(const char* lpszTag, const char* lpszField1, const char* lpszField2,
                            const char* lpszField3, const char* lpszField4, const char* lpszField5)
{
  if (m_pFile == NULL)
    return false;
  const char* const fields[] = {lpszField1, lpszField2, lpszField3, lpszField4, lpszField5};
  CString strLine = lpszTag;
  for (const char* pszField : fields)
    if (pszField != NULL) {
      strLine += '\t';
      strLine += EscapeJournalField(pszField);
    }
  strLine += "\r\n";
  return fputs(strLine, m_pFile) >= 0 && FlushToDisk(m_pFile);
}

bool CInstallJournal::MoveAside(const char* lpszPath)
{
  const CString strNumber = DecimalText(m_nMoved);
  if (!Write("moved", strNumber, lpszPath))
    return false;
  ++m_nMoved;
  if (!RenamePath(lpszPath, JoinPath(m_strFolder, strNumber)))
    return false;
  m_log.Write("moved aside", lpszPath);
  return true;
}

bool CInstallJournal::WillMakeFile(const char* lpszPath)
{
  return (m_bOwnsDest && IsBelow(lpszPath, m_strDestDir)) || Write("file", lpszPath);
}

bool CInstallJournal::WillMakeFolder(const char* lpszPath)
{
  return (m_bOwnsDest && IsBelow(lpszPath, m_strDestDir)) || Write("folder", lpszPath);
}

bool CInstallJournal::IsKnownFolder(const CString& strFolder) const
{
  for (int32_t i = 0; i < m_nKnownFolders; ++i)
    if (m_pKnownFolders[i] == strFolder)
      return true;
  return false;
}

bool CInstallJournal::WillMakeParents(const char* lpszPath)
{
  if (m_bOwnsDest)
    return true;
  // Each folder between the destination and the name, top down.
  const int nPath = static_cast<int>(strlen(lpszPath));
  for (int i = m_strDestDir.GetLength() + 1; i < nPath; ++i) {
    if (lpszPath[i] != '\\')
      continue;
    const CString strFolder(lpszPath, i);
    if (IsKnownFolder(strFolder))
      continue;
    if (!IsFolder(strFolder) && !Write("folder", strFolder))
      return false;
    if (MakeRoomByDoubling(m_pKnownFolders, m_nKnownFolders, m_nKnownCapacity, 16))
      new (&m_pKnownFolders[m_nKnownFolders++]) CString(strFolder);
  }
  return true;
}

bool CInstallJournal::WillRename(const char* lpszFrom, const char* lpszTo) { return Write("renamed", lpszFrom, lpszTo); }

bool CInstallJournal::WillRemoveFolder(const char* lpszPath) { return Write("removedfolder", lpszPath); }

bool CInstallJournal::WillAddFont(const char* lpszPath) { return Write("font", lpszPath); }

bool CInstallJournal::WillSetValue(HKEY hRoot, const char* lpszKey, const char* lpszName)
{
  const char* pszRoot = RootName(hRoot);
  CRegKey key;
  if (key.Open(hRoot, lpszKey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
    return Write("key", pszRoot, lpszKey);
  DWORD nType = 0, nBytes = 0;
  if (key.QueryRaw(lpszName, nType, NULL, nBytes) == ERROR_FILE_NOT_FOUND)
    return Write("novalue", pszRoot, lpszKey, lpszName);
  BYTE* pData = static_cast<BYTE*>(malloc(nBytes + 1));
  if (pData == NULL || key.QueryRaw(lpszName, nType, pData, nBytes) != ERROR_SUCCESS) {
    free(pData);
    return false;
  }
  const bool bWritten = Write("value", pszRoot, lpszKey, lpszName, DecimalText(static_cast<long>(nType)),
                              HexText(pData, nBytes));
  free(pData);
  return bWritten;
}

void CInstallJournal::Abandon()
{
  Close();
  // Only what this run made: never an unfinished journal that stopped it.
  if (!m_bMadeFolder)
    return;
  RemoveFile(JournalPath(m_strDestDir));
  RemoveFolder(m_strFolder);
}

void CInstallJournal::Finish()
{
  Close();
  // Gone, the journal says that the installation is complete; what it had
  // moved aside is then the earlier installation's and goes too.
  if (!RemoveFile(JournalPath(m_strDestDir))) {
    m_log.Write("journal not removed", JournalPath(m_strDestDir));
    return;
  }
  RemoveJournalTree(m_strFolder);
  m_log.Write("journal", "complete: what was moved aside is removed");
}
