// driver: works the dialogs of a program under test as a person would, from
// the command line or from a script of commands. It must run in the same
// (virtual) desktop as the program.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/Commands.h"
#include "tests/e2e/driver/Text.h"
#include "tests/e2e/driver/Window.h"

static const int kMaxWords = 64;

static int RunScript(FILE* pFile, const char* pszName)
{
  std::string strLine;
  int nLine = 0;
  for (;;) {
    int c = fgetc(pFile);
    if (c != EOF && c != '\n') {
      strLine += static_cast<char>(c);
      continue;
    }
    if (c == EOF && strLine.empty())
      return kExitOk;
    ++nLine;
    std::string strText = ScriptLineToUtf8(strLine);
    strLine.clear();
    std::string words[kMaxWords];
    int nCount = 0;
    if (!SplitWords(strText, words, kMaxWords, &nCount)) {
      fprintf(stderr, "driver: %s:%d: unclosed quote or too many words\n", pszName, nLine);
      return kExitUsage;
    }
    if (nCount > 0 && words[0][0] != '#') {
      std::vector<std::string> command;
      for (int i = 0; i < nCount; ++i)
        command.push_back(DecodeEscapes(words[i]));
      int nCode = RunCommand(command);
      if (nCode != kExitOk) {
        fprintf(stderr, "driver: %s:%d: failed with exit code %d\n", pszName, nLine, nCode);
        return nCode;
      }
    }
    if (c == EOF)
      return kExitOk;
  }
}

// The arguments as UTF-8, whatever the system code page: from the wide
// command line.
static std::vector<std::string> Arguments()
{
  std::vector<std::string> args;
  int nCount = 0;
  LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nCount);
  for (int i = 0; ppszArgs && i < nCount; ++i)
    args.push_back(WideToUtf8(ppszArgs[i]));
  LocalFree(ppszArgs);
  return args;
}

int main()
{
  // The test scripts read our output as bytes: no CR before LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);

  std::vector<std::string> argv = Arguments();
  size_t argc = argv.size(), nArg = 1;
  if (nArg + 1 < argc && argv[nArg] == "-t") {
    char* pEnd = nullptr;
    long lTimeout = strtol(argv[nArg + 1].c_str(), &pEnd, 10);
    if (*pEnd != '\0' || lTimeout < 0) {
      PrintUsage();
      return kExitUsage;
    }
    g_dwTimeout = static_cast<DWORD>(lTimeout);
    nArg += 2;
  }
  if (nArg >= argc || argv[nArg] == "-h" || argv[nArg] == "--help") {
    PrintUsage();
    return kExitUsage;
  }
  if (argv[nArg] == "-" && nArg + 1 == argc)
    return RunScript(stdin, "stdin");
  if (argv[nArg] == "-f") {
    if (nArg + 2 != argc) {
      PrintUsage();
      return kExitUsage;
    }
    FILE* pFile = _wfopen(Utf8ToWide(argv[nArg + 1]).c_str(), L"rb");
    if (!pFile) {
      fprintf(stderr, "driver: cannot open script %s\n", argv[nArg + 1].c_str());
      return kExitUsage;
    }
    int nCode = RunScript(pFile, argv[nArg + 1].c_str());
    fclose(pFile);
    return nCode;
  }
  std::vector<std::string> command;
  command.push_back(argv[nArg]);
  for (size_t i = nArg + 1; i < argc; ++i)
    command.push_back(DecodeEscapes(argv[i]));
  return RunCommand(command);
}
