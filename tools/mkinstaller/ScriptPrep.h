// Brings an author's script into the form setup reads: UTF-8 text, CR LF
// line ends, and the line "#end" last, with no line break after it. The
// installer stores it behind a byte-order mark, which tells setup that the
// script is UTF-8 (one without it is in the ANSI code page).
#pragma once
#include <string>

const char kScriptByteOrderMark[] = "\xEF\xBB\xBF";

// strPath names the script in messages. Refuses a NUL byte, text that is not
// UTF-8, and the overlay marker texts. The author's own byte-order mark goes.
std::string PrepareScript(const std::string& strPath, const std::string& strBytes);
