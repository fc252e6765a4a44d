// The driver's commands: actions on the program's windows and queries of
// their state. Every query X also exists as expect-X with the expected value
// as its last argument.
#pragma once
#include <string>
#include <vector>

enum
{
  kExitOk = 0,
  kExitFailure = 1,
  kExitTimeout = 2,
  kExitUsage = 3
};

// Runs one command (name and arguments, escapes already decoded); prints its
// results on stdout and its complaint on stderr; returns the exit code.
int RunCommand(const std::vector<std::string>& words);

void PrintUsage();
