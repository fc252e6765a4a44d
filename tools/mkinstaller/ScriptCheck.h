// Reads a prepared script the way setup will and refuses what setup cannot
// hold; warns about what it would read otherwise than the author meant.
#pragma once
#include <set>
#include <string>

// setPayload: the payload's names, backslash-separated, as case keys
// (CaseKey), folders without their trailing backslash.
void CheckScript(const std::string& strPath, const std::string& strScript, const std::set<std::string>& setPayload);
