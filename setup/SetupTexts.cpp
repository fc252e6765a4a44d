#include "setup/SetupTexts.h"

#include "framework/afxwin.h"
#include "zip/ZipException.h"

bool IsGerman(const CString& strLanguage, LanguageRule rule)
{
  return rule == kEnglishOnlyForENG ? strLanguage != "ENG" : strLanguage == "GER";
}

const char* Text(const SetupText& text, const CString& strLanguage, LanguageRule rule)
{
  return IsGerman(strLanguage, rule) ? text.pszGerman : text.pszEnglish;
}

void SetControlTexts(CWnd& dialog, const ControlText* pTexts, size_t nCount)
{
  for (size_t i = 0; i < nCount; ++i)
    ::SetWindowTextA(pTexts[i].nID == 0 ? dialog.m_hWnd : ::GetDlgItem(dialog.m_hWnd, pTexts[i].nID),
                     pTexts[i].pszText);
}

CString DescribeZipCause(int nCause, const CString& strLanguage)
{
  const SetupText* pText = &kCauseDamaged;
  switch (nCause) {
  case CZipException::checksumMismatch:
    pText = &kCauseChecksum;
    break;
  case CZipException::unsafeEntryName:
    pText = &kCauseUnsafeName;
    break;
  case CZipException::inflateDataError:
  case CZipException::inflateBufferError:
  case CZipException::inflateStreamError:
    pText = &kCauseUnpacking;
    break;
  case CZipException::inflateMemoryError:
    pText = &kCauseMemory;
    break;
  }
  return Text(*pText, strLanguage, kEnglishOnlyForENG);
}

CString DescribeFileCause(int nCause, long lOsError, const CString& strLanguage)
{
  const SetupText* pText;
  switch (nCause) {
  case CFileException::accessDenied:
    pText = &kCauseAccessDenied;
    break;
  case CFileException::sharingViolation:
  case CFileException::lockViolation:
    pText = &kCauseInUse;
    break;
  case CFileException::diskFull:
    pText = &kCauseDiskFull;
    break;
  case CFileException::badPath:
  case CFileException::fileNotFound:
    pText = &kCauseBadPath;
    break;
  default: {
    CString s;
    s.Format(Text(kCauseWriteError, strLanguage, kEnglishOnlyForENG), lOsError);
    return s;
  }
  }
  return Text(*pText, strLanguage, kEnglishOnlyForENG);
}

CString DescribeFalseResult(const CString& strLanguage)
{
  return Text(kCauseAttributes, strLanguage, kEnglishOnlyForENG);
}
