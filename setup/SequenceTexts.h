// The install sequence's own texts. They are English when the script's
// language is exactly "ENG", German otherwise; German reaches the ANSI
// functions as Windows-1252 bytes.
#pragma once
#include "framework/afx.h"

struct SequenceText
{
  const char* pszEnglish;
  const char* pszGerman;
};

extern const SequenceText kCheckingOldData;
extern const SequenceText kCreatingShortcuts;
extern const SequenceText kInstallingFonts;
extern const SequenceText kCreatingUninstallData;
extern const SequenceText kInstalledText;
extern const SequenceText kInstalledTitle;
extern const SequenceText kNotRemovable;
extern const SequenceText kExtractFailed;

// The text in the language of strLanguage.
const char* Text(const SequenceText& text, const CString& strLanguage);

// Why an entry could not be extracted, in the language of strLanguage.
CString DescribeZipCause(int nCause, const CString& strLanguage);
CString DescribeFileCause(int nCause, long lOsError, const CString& strLanguage);
CString DescribeFalseResult(const CString& strLanguage);
