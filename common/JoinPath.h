// Paths joined, by setup and the uninstaller.
#pragma once
#include "framework/String.h"

// lpszFolder + "\" + lpszName.
CString JoinPath(const char* lpszFolder, const char* lpszName);
