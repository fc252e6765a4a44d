// Text conversions of the driver: the programs under test speak Windows-1252,
// the shell scripts that drive them speak UTF-8.
#pragma once
#include <string>

// Replaces every \xHH (exactly two hex digits) by that byte; all other
// backslashes stay literal, so Windows paths need no quoting.
std::string DecodeEscapes(const std::string& strArg);

// A script line that is valid UTF-8 with non-ASCII characters becomes
// Windows-1252; any other line is taken as bytes.
std::string Utf8LineToAnsi(const std::string& strLine);

// Windows-1252 bytes as UTF-8, for the terminal and the test scripts.
std::string AnsiToUtf8(const std::string& strText);

// For one-per-line listings: control characters become \n, \r, \t or \xHH.
std::string EscapeControls(const std::string& strText);

// Splits a script line into words: blanks separate them, "..." or '...'
// keep blanks inside one word. Returns false on an unclosed quote.
bool SplitWords(const std::string& strLine, std::string* pWords, int nMax, int* pnCount);
