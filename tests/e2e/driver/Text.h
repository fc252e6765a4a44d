// Text conversions of the driver: its texts are UTF-8, as the shell scripts
// that drive it speak; Windows gets and gives them as UTF-16.
#pragma once
#include <string>

// Replaces every \xHH (exactly two hex digits) by the character U+00HH (for
// A0 to FF the Windows-1252 one) in UTF-8; all other backslashes stay
// literal, so Windows paths need no quoting.
std::string DecodeEscapes(const std::string& strArg);

// A script line as UTF-8: one that is not valid UTF-8 is taken as
// Windows-1252, as scripts were once written.
std::string ScriptLineToUtf8(const std::string& strLine);

std::wstring Utf8ToWide(const std::string& strText);
std::string WideToUtf8(const std::wstring& strWide);

// For one-per-line listings: control characters become \n, \r, \t or \xHH.
std::string EscapeControls(const std::string& strText);

// Splits a script line into words: blanks separate them, "..." or '...'
// keep blanks inside one word. Returns false on an unclosed quote.
bool SplitWords(const std::string& strLine, std::string* pWords, int nMax, int* pnCount);
