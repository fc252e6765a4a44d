// Names as Windows holds them: what a file or folder name may not be, how
// long a name is in Windows' own units (UTF-16), and the key under which
// Windows takes two names for one. Names are valid UTF-8.
#pragma once
#include <string>

// Why Windows cannot hold this file or folder name (one component), or ""
// when it can.
std::string ComponentProblem(const std::string& strComponent);
// Why a whole entry name ('/'-separated) is too long for Windows or for the
// archive's name field, or "".
std::string NameLengthProblem(const std::string& strName);
// The UTF-16 units of the text: a character beyond U+FFFF counts two.
size_t Utf16Length(const std::string& strUtf8);
// Each character upper-cased, then lower-cased, by Unicode's simple case
// mappings: names that Windows' file systems take for one have the same key
// (as do a few they keep apart, such as the Kelvin sign and "k").
std::string CaseKey(const std::string& strUtf8);
