// Text values for YAML files written by hand.
#pragma once
#include <string>

// strUtf8 as a double-quoted scalar that every YAML reader takes back as the
// same string: quotes and backslashes escaped, and so is every character
// YAML does not allow as it is (controls, C1, line separators, BOM). False
// when strUtf8 is not valid UTF-8.
bool YamlQuoted(const std::string& strUtf8, std::string& strQuoted);
// The number of characters (code points) of valid UTF-8 text.
size_t Utf8Length(const std::string& strUtf8);
