#include "setup/SetupTexts.h"

#include "framework/afxwin.h"
#include "zip/ZipReader.h"

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
    (pTexts[i].nID == 0 ? CWnd(dialog.m_hWnd) : dialog.GetDlgItem(pTexts[i].nID)).SetWindowText(pTexts[i].pszText);
}

namespace {

const SetupText& ZipCauseText(int nCause)
{
  switch (nCause) {
  case CZipException::checksumMismatch: return kCauseChecksum;
  case CZipException::unsafeEntryName: return kCauseUnsafeName;
  case CZipException::inflateDataError:
  case CZipException::inflateBufferError:
  case CZipException::inflateStreamError: return kCauseUnpacking;
  case CZipException::inflateMemoryError: return kCauseMemory;
  case CZipException::archiveReadError: return kCauseReadError;
  default: return kCauseDamaged;
  }
}

// A cause without a text of its own is told by the system's error code.
const SetupText& FileCauseText(int nCause)
{
  switch (nCause) {
  case CFileException::accessDenied: return kCauseAccessDenied;
  case CFileException::sharingViolation:
  case CFileException::lockViolation: return kCauseInUse;
  case CFileException::diskFull: return kCauseDiskFull;
  case CFileException::badPath:
  case CFileException::fileNotFound: return kCauseBadPath;
  default: return kCauseWriteError;
  }
}

}  // namespace

CString DescribeZipCause(int nCause, const CString& strLanguage)
{
  return Text(ZipCauseText(nCause), strLanguage, kEnglishOnlyForENG);
}

CString DescribeFileCause(int nCause, long lOsError, const CString& strLanguage)
{
  CString s;
  s.Format(Text(FileCauseText(nCause), strLanguage, kEnglishOnlyForENG), lOsError);
  return s;
}

CString DescribeFalseResult(int32_t nCloseResult, const CString& strLanguage)
{
  // Without a progress callback to stop the copy, bytes left mean the
  // entry's data ended early.
  return Text(nCloseResult == ZIP_CLOSE_NOT_READ_TO_END ? kCauseEndsEarly : kCauseAttributes, strLanguage,
              kEnglishOnlyForENG);
}
