// Brings an author's script into the form setup reads: Windows-1252 text,
// CR LF line ends, and the line "#end" last, with no line break after it.
#pragma once
#include <string>

// strPath names the script in messages. Refuses a NUL byte, text that is not
// UTF-8 or has no Windows-1252 form, and the overlay marker texts.
std::string PrepareScript(const std::string& strPath, const std::string& strBytes);
