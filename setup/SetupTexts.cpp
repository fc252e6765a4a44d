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
  SetupText text;
  switch (nCause) {
  case CZipException::checksumMismatch:
    text = {"its data is damaged (the checksum does not match)", "ihre Daten sind besch\xe4" "digt (Pr\xfc" "fsumme falsch)"};
    break;
  case CZipException::unsafeEntryName:
    text = {"its name points outside the destination directory",
            "ihr Name zeigt aus dem Zielverzeichnis hinaus"};
    break;
  case CZipException::inflateDataError:
  case CZipException::inflateBufferError:
  case CZipException::inflateStreamError:
    text = {"its data cannot be unpacked (the installation file is damaged)",
            "ihre Daten lassen sich nicht entpacken (die Installationsdatei ist besch\xe4" "digt)"};
    break;
  case CZipException::inflateMemoryError:
    text = {"there is not enough memory", "der Speicher reicht nicht aus"};
    break;
  default:
    text = {"the installation file is damaged", "die Installationsdatei ist besch\xe4" "digt"};
    break;
  }
  return Text(text, strLanguage, kEnglishOnlyForENG);
}

CString DescribeFileCause(int nCause, long lOsError, const CString& strLanguage)
{
  SetupText text;
  switch (nCause) {
  case CFileException::accessDenied:
    text = {"access is denied (the file may be read-only or in use)",
            "der Zugriff wurde verweigert (die Datei ist schreibgesch\xfc" "tzt oder in Gebrauch)"};
    break;
  case CFileException::sharingViolation:
  case CFileException::lockViolation:
    text = {"the file is in use by another program", "die Datei wird von einem anderen Programm verwendet"};
    break;
  case CFileException::diskFull:
    text = {"the disk is full", "der Datentr\xe4" "ger ist voll"};
    break;
  case CFileException::badPath:
  case CFileException::fileNotFound:
    text = {"the path is invalid or too long", "der Pfad ist ung\xfc" "ltig oder zu lang"};
    break;
  default: {
    CString s;
    s.Format(Text({"the file cannot be written (error %ld)", "die Datei kann nicht geschrieben werden (Fehler %ld)"},
                  strLanguage, kEnglishOnlyForENG),
             lOsError);
    return s;
  }
  }
  return Text(text, strLanguage, kEnglishOnlyForENG);
}

CString DescribeFalseResult(const CString& strLanguage)
{
  return Text({"its attributes or time could not be set, or it is encrypted",
               "ihre Attribute oder ihre Zeit lie\xdf" "en sich nicht setzen, oder sie ist verschl\xfc" "sselt"},
              strLanguage, kEnglishOnlyForENG);
}
