#include "setup/SequenceTexts.h"

#include "zip/ZipException.h"

const SequenceText kCheckingOldData = {"checking old uninstall data...",
                                       "\xdc" "berpr\xfc" "fung alter Uninstall-Informationen..."};
const SequenceText kCreatingShortcuts = {"creating shortcuts...", "Verkn\xfc" "pfungen erstellen..."};
const SequenceText kInstallingFonts = {"installing fonts...", "Schriftarten installieren..."};
const SequenceText kCreatingUninstallData = {"creating uninstall data...", "Erstellen der Uninstall-Informationen..."};
const SequenceText kInstalledText = {" is now installed on your computer.\nUse the start menu to run the application.\n",
                                     " wurde erfolgreich installiert!"};
const SequenceText kInstalledTitle = {"Installation Complete", "Installation beendet"};
// Follows the completion text when no working uninstaller is registered.
const SequenceText kNotRemovable = {"The program cannot be removed automatically.",
                                    "\nDas Programm kann nicht automatisch entfernt werden."};
// %s: the entry's name, then the cause.
const SequenceText kExtractFailed = {
    "%s could not be installed:\n%s.\n\nClose any program that may be using it and choose Retry, "
    "or choose Cancel to stop the installation.",
    "%s konnte nicht installiert werden:\n%s.\n\nSchlie\xdf" "en Sie alle Programme, die die Datei verwenden "
    "k\xf6" "nnten, und w\xe4" "hlen Sie Wiederholen, oder w\xe4" "hlen Sie Abbrechen, um die Installation zu beenden."};

const char* Text(const SequenceText& text, const CString& strLanguage)
{
  return strLanguage == "ENG" ? text.pszEnglish : text.pszGerman;
}

CString DescribeZipCause(int nCause, const CString& strLanguage)
{
  SequenceText text;
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
  return Text(text, strLanguage);
}

CString DescribeFileCause(int nCause, long lOsError, const CString& strLanguage)
{
  SequenceText text;
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
    s.Format(strLanguage == "ENG" ? "the file cannot be written (error %ld)"
                                  : "die Datei kann nicht geschrieben werden (Fehler %ld)",
             lOsError);
    return s;
  }
  }
  return Text(text, strLanguage);
}

CString DescribeFalseResult(const CString& strLanguage)
{
  return Text({"its attributes or time could not be set, or it is encrypted",
               "ihre Attribute oder ihre Zeit lie\xdf" "en sich nicht setzen, oder sie ist verschl\xfc" "sselt"},
              strLanguage);
}
