// Reads a prepared script the way setup will and refuses what setup cannot
// hold; warns about what it would read otherwise than the author meant.
#pragma once
#include <set>
#include <string>

// setPayload: the payload's names in Windows-1252, backslash-separated,
// upper-cased (AnsiUpper), folders without their trailing backslash.
void CheckScript(const std::string& strPath, const std::string& strScript, const std::set<std::string>& setPayload);
