// The plain-text log that /LOG= asks of setup and the uninstaller: one
// line for each option, decision, file, failure and registry value, and
// the exit code. UTF-8 with a byte-order mark, CR LF line ends, each line
// written through as it happens.
#pragma once
#include <stdio.h>

struct CommandLine;

class CInstallLog
{
public:
  CInstallLog() : m_pFile(NULL) {}
  ~CInstallLog() { Close(); }
  CInstallLog(const CInstallLog&) = delete;
  CInstallLog& operator=(const CInstallLog&) = delete;

  // Creates the file, or empties it (bAppend: writes behind what it holds).
  // false when it cannot be written.
  bool Open(const char* lpszPath, bool bAppend = false);
  bool IsOpen() const { return m_pFile != NULL; }
  // One line, "label: text" when a label is given; a message box's line
  // breaks become blanks. Nothing without a log.
  void Write(const char* lpszText) { Write(NULL, lpszText); }
  void Write(const char* lpszLabel, const char* lpszText);
  void Close();

private:
  FILE* m_pFile;
};

// How a program's arguments were taken, by ReadArguments.
enum ArgumentsVerdict
{
  kArgumentsUsed,           // understood; the log, if asked for, is open
  kArgumentsIgnored,        // not understood without /S: the program goes on without options
  kArgumentsNotUnderstood,  // not understood with /S: logged; the program ends
  kArgumentsNoLog           // the /LOG= file cannot be written; the program ends
};

// The arguments as setup and the uninstaller take them: parsed, the log
// that /LOG= names opened, the line and what was not understood logged.
ArgumentsVerdict ReadArguments(const char* lpszArgs, unsigned nKnown, CommandLine& line, CInstallLog& log);
