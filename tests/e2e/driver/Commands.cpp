#include "tests/e2e/driver/Commands.h"

#include <stdio.h>

#include "tests/e2e/driver/CommandSupport.h"
#include "tests/e2e/driver/Text.h"
#include "tests/e2e/driver/Window.h"

// ---- the table ----

struct Command
{
  const char* pszName;
  size_t nMinArgs, nMaxArgs;
  int (*pfnRun)(const Args&, Lines*);
  bool bQuery;  // has an expect- form
  const char* pszUsage;
};

static const Command kCommands[] = {
    {"wait", 1, 2, DoWait, false, "wait CAPTION [TIMEOUT_MS]"},
    {"gone", 1, 2, DoGone, false, "gone CAPTION [TIMEOUT_MS]"},
    {"type", 3, 3, DoType, false, "type CAPTION ID TEXT"},
    {"click", 2, 2, DoClick, false, "click CAPTION ID"},
    {"select", 3, 3, DoSelect, false, "select CAPTION ID INDEX|=TEXT"},
    {"dblclick", 3, 3, DoDblClick, false, "dblclick CAPTION ID INDEX|=TEXT"},
    {"close", 1, 1, DoClose, false, "close CAPTION"},
    {"sleep", 1, 1, DoSleep, false, "sleep MS"},
    {"timeout", 1, 1, DoTimeout, false, "timeout MS"},
    {"echo", 0, 64, DoEcho, false, "echo WORDS..."},
    {"caption", 1, 1, QueryCaption, true, "caption CAPTION"},
    {"text", 2, 2, QueryText, true, "text CAPTION ID"},
    {"items", 2, 2, QueryItems, true, "items CAPTION ID"},
    {"cursel", 2, 2, QueryCurSel, true, "cursel CAPTION ID"},
    {"progress", 2, 2, QueryProgress, true, "progress CAPTION ID"},
    {"enabled", 2, 2, QueryEnabled, true, "enabled CAPTION ID"},
    {"visible", 2, 2, QueryVisible, true, "visible CAPTION ID"},
    {"checked", 2, 2, QueryChecked, true, "checked CAPTION ID"},
    {"rect", 1, 2, QueryRect, true, "rect CAPTION [ID]"},
    {"dump", 1, 1, QueryDump, false, "dump CAPTION"},
    {"windows", 0, 0, QueryWindows, false, "windows"},
    {"watch-windows", 1, 2, DoWatchWindows, false, "watch-windows PROGRAM.EXE [ENDED-MARK]"},
    {"link", 1, 1, QueryLink, true, "link PATH.LNK"},
    {"codepages", 0, 0, QueryCodePages, false, "codepages   (ANSI and OEM)"},
};

void PrintUsage()
{
  fprintf(stderr,
          "usage: driver [-t TIMEOUT_MS] COMMAND ARGS...\n"
          "       driver [-t TIMEOUT_MS] -f SCRIPT | -   (one command a line; '-' reads stdin)\n"
          "commands:\n");
  for (const Command& command : kCommands)
    fprintf(stderr, "  %s\n", command.pszUsage);
  fprintf(stderr,
          "  expect-QUERY ARGS... EXPECTED   for caption, text, items, cursel, progress,\n"
          "                                  enabled, visible, checked, rect, link\n"
          "CAPTION ending in * matches as a prefix; texts are UTF-8, \\xHH is U+00HH.\n"
          "exit codes: 0 ok, 1 mismatch or failure, 2 timeout, 3 usage\n");
}

static std::string JoinLines(const Lines& lines, const char* pszSeparator, bool bEscape)
{
  std::string strJoined;
  for (size_t i = 0; i < lines.size(); ++i)
    strJoined += (i ? pszSeparator : "") + (bEscape ? EscapeControls(lines[i]) : lines[i]);
  return strJoined;
}

// Expected values may give line breaks either as they are or written \n.
static bool ValueMatches(const Lines& actual, const std::string& strExpected)
{
  return JoinLines(actual, "\n", false) == strExpected || JoinLines(actual, "\\n", true) == strExpected;
}

// Polls the query until it yields the expected value: the program may still
// be on its way there.
static int ExpectValue(const Command& query, const Args& args)
{
  Args queryArgs(args.begin(), args.end() - 1);
  const std::string& strExpected = args.back();
  DWORD dwStart = GetTickCount();
  Lines actual;
  for (;;) {
    actual.clear();
    int nCode = query.pfnRun(queryArgs, &actual);
    if (nCode != kExitOk)
      return nCode;
    if (ValueMatches(actual, strExpected))
      return kExitOk;
    if (GetTickCount() - dwStart >= g_dwTimeout)
      break;
    Sleep(100);
  }
  return Complain(kExitFailure, "%s %s: expected \"%s\", got \"%s\"", query.pszName,
                  JoinLines(queryArgs, " ", false).c_str(), strExpected.c_str(),
                  JoinLines(actual, "\\n", true).c_str());
}

int RunCommand(const std::vector<std::string>& words)
{
  if (words.empty())
    return Complain(kExitUsage, "no command");
  std::string strName = words[0];
  Args args(words.begin() + 1, words.end());
  bool bExpect = strName.compare(0, 7, "expect-") == 0;
  if (bExpect)
    strName = strName.substr(7);
  for (const Command& command : kCommands) {
    if (strName != command.pszName || (bExpect && !command.bQuery))
      continue;
    size_t nArgs = args.size() - (bExpect ? 1 : 0);
    if ((bExpect && args.empty()) || nArgs < command.nMinArgs || nArgs > command.nMaxArgs)
      return Complain(kExitUsage, "usage: %s%s%s", bExpect ? "expect-" : "", command.pszUsage,
                      bExpect ? " EXPECTED" : "");
    if (bExpect)
      return ExpectValue(command, args);
    Lines out;
    int nCode = command.pfnRun(args, &out);
    for (const std::string& strLine : out)
      PrintLine(strLine);
    return nCode;
  }
  return Complain(kExitUsage, "unknown command \"%s\"", words[0].c_str());
}
