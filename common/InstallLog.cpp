#include "common/InstallLog.h"

#include "common/CommandLine.h"
#include "framework/os/FileSystem.h"

bool CInstallLog::Open(const char* lpszPath, bool bAppend)
{
  Close();
  m_pFile = OpenFileStream(lpszPath, bAppend ? "ab" : "wb");
  if (m_pFile == NULL)
    return false;
  // UTF-8, marked as such for the editors that would guess another page.
  if (!bAppend)
    fputs("\xEF\xBB\xBF", m_pFile);
  return true;
}

void CInstallLog::Write(const char* lpszLabel, const char* lpszText)
{
  if (m_pFile == NULL)
    return;
  if (lpszLabel != NULL) {
    fputs(lpszLabel, m_pFile);
    fputs(": ", m_pFile);
  }
  // A run of line breaks, as between a message's paragraphs, is one blank.
  for (const char* p = lpszText; *p; ++p) {
    if (*p != '\n' && *p != '\r')
      fputc(*p, m_pFile);
    else if (p[1] != '\n' && p[1] != '\r' && p[1] != '\0')
      fputc(' ', m_pFile);
  }
  fputs("\r\n", m_pFile);
  // Each line is on disk before the program goes on: a log is read after
  // a run that may end in a crash or a kill.
  fflush(m_pFile);
}

void CInstallLog::Close()
{
  if (m_pFile != NULL)
    fclose(m_pFile);
  m_pFile = NULL;
}

ArgumentsVerdict ReadArguments(const char* lpszArgs, unsigned nKnown, CommandLine& line, CInstallLog& log)
{
  const bool bUnderstood = ParseCommandLine(lpszArgs, nKnown, line);
  const bool bSilent = (line.nGiven & OPT_SILENT) != 0;
  if (!bUnderstood && !bSilent)
    return kArgumentsIgnored;
  // The second, elevated start of setup goes on with the first one's log.
  if ((line.nGiven & OPT_LOG) && !log.Open(line.strLog, (line.nGiven & OPT_ELEVATED) != 0))
    return kArgumentsNoLog;
  log.Write("command line", lpszArgs);
  if (!bUnderstood) {
    log.Write("not understood", line.szError);
    return kArgumentsNotUnderstood;
  }
  return kArgumentsUsed;
}
