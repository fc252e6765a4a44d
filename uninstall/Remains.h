// What the uninstaller was to remove and found still there afterwards, and
// the message that tells the person. Kept apart from showing it, so that a
// run without a window can report the same outcome.
#pragma once
#include <stdint.h>

#include "framework/String.h"

class UninstallData;
class CFolderList;

enum
{
  REMAINS_SHOWN = 3  // items named in the message
};

struct RemainList
{
  int32_t nCount;                   // items still there
  CString strShown[REMAINS_SHOWN];  // the first of them, as recorded
};

// After the removal, below the installation folder lpszRoot: the installed
// files and the folders that held them, the generated names, uninstall.dat,
// the shortcut files and their folder that are still there. This
// program's own file (lpszOwnName) and the install directory, which the
// RunOnce commands remove, do not count; names outside the installation
// were never to be removed.
void FindRemains(const UninstallData& data, const CFolderList& folders, const char* lpszRoot, const char* lpszOwnName,
                 RemainList& remains);

// One more item that remained: logged, and named if among the first.
void NoteRemain(RemainList& remains, const char* lpszName);

// The text lpszFormat with "%s" replaced by lpszName and "%d" by n.
CString Fill(const char* lpszFormat, const char* lpszName, int32_t n);

// The message and caption for remains.nCount > 0: how many items remained
// and the first few, in German when bGerman, else English.
void FormatRemainsMessage(const char* lpszAppName, const RemainList& remains, bool bGerman, CString& strText,
                          const char*& pszCaption);
