// What makes a font in the fonts folder usable: Windows loads at its start
// the fonts listed under HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Fonts",
// and programs that run now see a font once it is added as a resource and
// the change is announced.
#pragma once
#include "framework/afx.h"

class CInstallJournal;

// The font lpszName (a name relative to the fonts folder lpszFontsDir) is
// added as a font resource and listed under the Fonts key as
// "<full name> (TrueType)" or "(OpenType)", from the font's own name table,
// or its file title when the table has no English Windows full name.
// bOnlyIfUnlisted: for a file that was there before, which is left alone
// when a value of the Fonts key already names it. TRUE when the font was
// added, so that the change is to be announced. pstrListedAs, when given,
// receives the value's name and data as written, or stays empty. The
// journal records the resource and the value before they are made.
// hRoot: HKEY_LOCAL_MACHINE's Fonts key for everyone, HKEY_CURRENT_USER's
// (Windows 10 1809 and later read it) for a per-user installation.
bool RegisterFont(CInstallJournal& journal, const char* lpszFontsDir, const char* lpszName, bool bOnlyIfUnlisted,
                  CString* pstrListedAs = NULL, HKEY hRoot = HKEY_LOCAL_MACHINE);

// WM_FONTCHANGE to every top-level window, not waiting long for any.
void AnnounceFontChange();
