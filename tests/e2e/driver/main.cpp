// driver: works the dialogs of a program under test as a person would, from
// the command line or from a script of commands. It must run in the same
// (virtual) desktop as the program.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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
    std::string strAnsi = Utf8LineToAnsi(strLine);
    strLine.clear();
    std::string words[kMaxWords];
    int nCount = 0;
    if (!SplitWords(strAnsi, words, kMaxWords, &nCount)) {
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

int main(int argc, char** argv)
{
  // The test scripts read our output as bytes: no CR before LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);

  int nArg = 1;
  if (nArg + 1 < argc && strcmp(argv[nArg], "-t") == 0) {
    char* pEnd = nullptr;
    long lTimeout = strtol(argv[nArg + 1], &pEnd, 10);
    if (*pEnd != '\0' || lTimeout < 0) {
      PrintUsage();
      return kExitUsage;
    }
    g_dwTimeout = static_cast<DWORD>(lTimeout);
    nArg += 2;
  }
  if (nArg >= argc || strcmp(argv[nArg], "-h") == 0 || strcmp(argv[nArg], "--help") == 0) {
    PrintUsage();
    return kExitUsage;
  }
  if (strcmp(argv[nArg], "-") == 0 && nArg + 1 == argc)
    return RunScript(stdin, "stdin");
  if (strcmp(argv[nArg], "-f") == 0) {
    if (nArg + 2 != argc) {
      PrintUsage();
      return kExitUsage;
    }
    FILE* pFile = fopen(argv[nArg + 1], "rb");
    if (!pFile) {
      fprintf(stderr, "driver: cannot open script %s\n", argv[nArg + 1]);
      return kExitUsage;
    }
    int nCode = RunScript(pFile, argv[nArg + 1]);
    fclose(pFile);
    return nCode;
  }
  // Command-line words arrive already in the ANSI code page.
  std::vector<std::string> command;
  command.push_back(argv[nArg]);
  for (int i = nArg + 1; i < argc; ++i)
    command.push_back(DecodeEscapes(argv[i]));
  return RunCommand(command);
}
