// Paths joined in fixed buffers, by setup's dialogs and the uninstaller.
#pragma once
#include <stddef.h>

// pszOut = pszFolder + "\" + pszName. false, with pszOut empty, when that
// would not fit nOutSize bytes: a cut path would name some other file.
bool JoinPath(char* pszOut, size_t nOutSize, const char* pszFolder, const char* pszName);
