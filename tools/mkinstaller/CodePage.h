// Text conversions of the packaging tool: authors write UTF-8, setup reads
// Windows-1252 (ANSI) and archive names in code page 437 (OEM).
#pragma once
#include <stdint.h>
#include <string>

// UTF-8 to Windows-1252. False when the text is not valid UTF-8 or holds a
// character that the code page lacks; nBadOffset is then the byte offset of
// the first such character and nCodePoint the character (0 when invalid).
bool Utf8ToAnsi(const std::string& strUtf8, std::string& strAnsi, size_t& nBadOffset, uint32_t& nCodePoint);
std::string AnsiToUtf8(const std::string& strAnsi);
// Through the framework's tables: the same conversion setup makes.
std::string AnsiToOem(const std::string& strAnsi);
std::string OemToAnsi(const std::string& strOem);
// Upper case in Windows-1252, for comparisons the Windows file system makes.
std::string AnsiUpper(const std::string& strAnsi);
