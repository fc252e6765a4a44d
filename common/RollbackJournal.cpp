#include "common/RollbackJournal.h"

#include <string.h>

#include "common/JoinPath.h"
#include "framework/os/FileSystem.h"

const char kRollbackFolderName[] = "~setup-rollback";
const char kJournalFileName[] = "journal.txt";

CString JournalPath(const char* lpszDestDir)
{
  return JoinPath(JoinPath(lpszDestDir, kRollbackFolderName), kJournalFileName);
}

bool FindUnfinishedJournal(const char* lpszDestDir, CString& strSetupPath)
{
  strSetupPath.Empty();
  FILE* pFile = OpenFileStream(JournalPath(lpszDestDir), "rb");
  if (pFile == NULL)
    return false;
  // The first line: "setup", a tab, the installer's path, a tab.
  char szLine[1024];
  const size_t nRead = fread(szLine, 1, sizeof(szLine) - 1, pFile);
  fclose(pFile);
  szLine[nRead] = 0;
  const char* pPath = strncmp(szLine, "setup\t", 6) == 0 ? szLine + 6 : NULL;
  const char* pEnd = pPath != NULL ? strchr(pPath, '\t') : NULL;
  if (pEnd != NULL)
    strSetupPath = CString(pPath, static_cast<int>(pEnd - pPath));
  return true;
}
