// Every text setup shows, in one table: the install sequence's and the
// dialogs', English and German side by side, and the messages that have
// only an English form. The texts are UTF-8 and reach the windows as
// UTF-16, so German reads right on a system of any code page. (The overlay
// reader's messages stay with it in the portable core, which the packaging
// tool shares.)
#pragma once
#include <stddef.h>

#include "framework/afx.h"
#include "setup/resources/resource.h"

class CWnd;

struct SetupText
{
  const char* pszEnglish;
  const char* pszGerman;
};

// Which language codes mean German. Both compare exactly, case-sensitive.
enum LanguageRule
{
  // The sequence and the destination and start-menu dialogs: English only
  // for "ENG", German for every other code.
  kEnglishOnlyForENG,
  // The agreement and progress dialogs: German only for "GER", English for
  // every other code.
  kGermanOnlyForGER,
};

bool IsGerman(const CString& strLanguage, LanguageRule rule);
// The text in the language that strLanguage means under the rule.
const char* Text(const SetupText& text, const CString& strLanguage, LanguageRule rule);

// A German dialog's caption and control texts, set over the template's
// English ones.
struct ControlText
{
  int nID;  // 0: the dialog's caption
  const char* pszText;
};

void SetControlTexts(CWnd& dialog, const ControlText* pTexts, size_t nCount);
template <size_t N>
void SetControlTexts(CWnd& dialog, const ControlText (&texts)[N])
{
  SetControlTexts(dialog, texts, N);
}

// Why an entry could not be extracted (the kCause texts below), in the
// language of strLanguage (kEnglishOnlyForENG).
CString DescribeZipCause(int nCause, const CString& strLanguage);
CString DescribeFileCause(int nCause, long lOsError, const CString& strLanguage);
// An entry that the reader gave back false for, by its close result
// (ZIP_CLOSE_...).
CString DescribeFalseResult(int32_t nCloseResult, const CString& strLanguage);

// The table: each text as it is shown.
// clang-format off

// ---- the install sequence (kEnglishOnlyForENG) ----

inline constexpr SetupText kCheckingOldData = {"checking old uninstall data...",
                                               "Überprüfung alter Uninstall-Informationen..."};
inline constexpr SetupText kCreatingShortcuts = {"creating shortcuts...", "Verknüpfungen erstellen..."};
inline constexpr SetupText kInstallingFonts = {"installing fonts...", "Schriftarten installieren..."};
inline constexpr SetupText kCreatingUninstallData = {"creating uninstall data...",
                                                     "Erstellen der Uninstall-Informationen..."};
// Follows the application's name.
inline constexpr SetupText kInstalledText = {
    " is now installed on your computer.\nUse the start menu to run the application.\n",
    " wurde erfolgreich installiert!"};
inline constexpr SetupText kInstalledTitle = {"Installation Complete", "Installation beendet"};
// A stopped or failed installation, undone. %s: the application's name.
inline constexpr SetupText kUndoing = {"undoing the installation...", "Installation rückgängig machen..."};
inline constexpr SetupText kInstallUndoneTitle = {"Installation Undone", "Installation rückgängig gemacht"};
inline constexpr SetupText kInstallUndoneText = {
    "The installation of %s did not complete and was undone.\nThe computer is as it was before: an earlier "
    "installation works as it did.",
    "Die Installation von %s wurde nicht abgeschlossen und rückgängig gemacht.\nDer Computer ist wie zuvor: "
    "eine frühere Installation arbeitet wie bisher."};
inline constexpr SetupText kInstallNotUndoneText = {
    "The installation of %s did not complete, and it could not be undone completely.\nRun setup again: it "
    "finishes undoing it first.",
    "Die Installation von %s wurde nicht abgeschlossen und ließ sich nicht vollständig rückgängig machen.\n"
    "Starten Sie das Setup erneut: Es macht sie zuerst vollständig rückgängig."};
inline constexpr SetupText kEarlierNotUndoneText = {
    "An earlier installation into this directory did not complete and could not be undone.\nPlease choose a "
    "different location, or run setup again later.",
    "Eine frühere Installation in dieses Verzeichnis wurde nicht abgeschlossen und ließ sich nicht rückgängig "
    "machen.\nBitte wählen Sie ein anderes Verzeichnis, oder starten Sie das Setup später erneut."};
// %s: the application's name, the installed version, this setup's version.
inline constexpr SetupText kDowngradeText = {
    "%s %s is installed, which is newer than the version %s that this setup installs.\nDo you want to install "
    "the older version over it?",
    "%s %s ist installiert und ist neuer als die Version %s, die dieses Setup installiert.\nMöchten Sie die "
    "ältere Version darüber installieren?"};
// %s: the application's name.
inline constexpr SetupText kElevationRefused = {
    "Setup needs administrator rights to install %s for all users of this computer, and was not given them. "
    "Nothing was installed.\nTo install it for yourself alone, start setup with /CURRENTUSER.",
    "Setup benötigt Administratorrechte, um %s für alle Benutzer dieses Computers zu installieren, und hat sie "
    "nicht erhalten. Es wurde nichts installiert.\nUm es nur für sich selbst zu installieren, starten Sie das "
    "Setup mit /CURRENTUSER."};
inline constexpr SetupText kJournalNotWritten = {
    "Setup cannot keep its record of the installation in the destination directory, so it could not undo a "
    "failed installation. Nothing was installed.",
    "Setup kann seine Aufzeichnung der Installation im Zielverzeichnis nicht anlegen und könnte eine "
    "fehlgeschlagene Installation daher nicht rückgängig machen. Es wurde nichts installiert."};
// %s: the entry's name, then the cause.
inline constexpr SetupText kExtractFailed = {
    "%s could not be installed:\n%s.\n\nClose any program that may be using it and choose Retry, "
    "or choose Cancel to stop the installation.",
    "%s konnte nicht installiert werden:\n%s.\n\nSchließen Sie alle Programme, die die Datei verwenden "
    "könnten, und wählen Sie Wiederholen, oder wählen Sie Abbrechen, um die Installation zu beenden."};

// Why an entry could not be extracted: what follows kExtractFailed's name.
inline constexpr SetupText kCauseChecksum = {"its data is damaged (the checksum does not match)",
                                             "ihre Daten sind beschädigt (Prüfsumme falsch)"};
inline constexpr SetupText kCauseUnsafeName = {"its name points outside the destination directory",
                                               "ihr Name zeigt aus dem Zielverzeichnis hinaus"};
inline constexpr SetupText kCauseUnpacking = {
    "its data cannot be unpacked (the installation file is damaged)",
    "ihre Daten lassen sich nicht entpacken (die Installationsdatei ist beschädigt)"};
inline constexpr SetupText kCauseMemory = {"there is not enough memory", "der Speicher reicht nicht aus"};
inline constexpr SetupText kCauseDamaged = {"the installation file is damaged",
                                            "die Installationsdatei ist beschädigt"};
inline constexpr SetupText kCauseEndsEarly = {
    "its data ends before its recorded size (the installation file is damaged)",
    "ihre Daten enden vor der angegebenen Größe (die Installationsdatei ist beschädigt)"};
inline constexpr SetupText kCauseReadError = {"the installer could not be read",
                                             "das Installationsprogramm konnte nicht gelesen werden"};
inline constexpr SetupText kCauseAccessDenied = {
    "access is denied (the file may be read-only or in use)",
    "der Zugriff wurde verweigert (die Datei ist schreibgeschützt oder in Gebrauch)"};
inline constexpr SetupText kCauseInUse = {"the file is in use by another program",
                                          "die Datei wird von einem anderen Programm verwendet"};
inline constexpr SetupText kCauseDiskFull = {"There is not enough space on the disk",
                                            "Auf dem Datenträger ist nicht genügend Speicherplatz verfügbar"};
inline constexpr SetupText kCauseJournal = {"setup cannot record it in its journal (the destination cannot be written)",
                                            "Setup kann sie nicht in seiner Aufzeichnung vermerken (das Zielverzeichnis "
                                            "ist nicht beschreibbar)"};
inline constexpr SetupText kCauseBadPath = {"the path is invalid or too long", "der Pfad ist ungültig oder zu lang"};
// %ld: the system's error code.
inline constexpr SetupText kCauseWriteError = {"the file cannot be written (error %ld)",
                                               "die Datei kann nicht geschrieben werden (Fehler %ld)"};
inline constexpr SetupText kCauseAttributes = {
    "its attributes or time could not be set, or it is encrypted",
    "ihre Attribute oder ihre Zeit ließen sich nicht setzen, oder sie ist verschlüsselt"};

// ---- the dialogs ----

// The background's title follows the application's name.
inline constexpr const char* kTitleSuffix = " - Setup";

// The destination and start-menu dialogs (kEnglishOnlyForENG); %s: the
// application's name.
inline constexpr SetupText kDestinationPrompt = {
    "Please choose a directory on your hard disk, to which %s is to be installed, or simply accept the default "
    "location.",
    "Geben Sie das Verzeichnis an, in dem %s installiert werden soll, oder akzeptieren Sie das vorgegebene "
    "Verzeichnis."};
inline constexpr ControlText kDestinationGerman[] = {
    {0, "Zielverzeichnis wählen"}, {IDC_DEST_GROUP, "Zielverzeichnis"}, {IDCANCEL, "Verlassen"}};
inline constexpr SetupText kStartMenuPrompt = {
    "Please enter a folder, in which %s's icons are to appear.\nBrowse through existing folders by double clicking "
    "on the list below.",
    "Geben Sie ein Startmenüverzeichnis für die Symbole von %s an. Wählen Sie aus existierenden "
    "Verzeichnissen, indem Sie auf die untenstehende Liste doppelklicken."};
inline constexpr ControlText kStartMenuGerman[] = {
    {0, "Startmenüverzeichnis wählen"}, {IDC_SCOPE_LABEL, "Startmenü:"}, {IDCANCEL, "Zurück"}};

// The agreement and progress dialogs (kGermanOnlyForGER).
inline constexpr SetupText kAgreementQuestion = {"Do you accept the terms stated above?",
                                                 "Akzeptieren Sie die obengenannten Bedingungen?"};
inline constexpr ControlText kAgreementGerman[] = {{0, "Vereinbarung"}, {IDCANCEL, "Nein"}, {IDOK, "Ja"}};
inline constexpr ControlText kProgressGerman[] = {{0, "Installation"},
                                                  {IDC_CURRENT_GROUP, "Aktuell"},
                                                  {IDC_PROGRESS_GROUP, "Fortschritt"},
                                                  {IDC_PLEASE_WAIT, "Bitte warten..."}};

// ---- the messages in English only ----

inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kWarningCaption = "Warning";
inline constexpr const char* kOutOfMemory = "Out of memory!";
inline constexpr const char* kUninstallDataNotSaved = "Uninstall Information could not be saved!";
inline constexpr const char* kNotRegistered = "The program could not be registered in the list of installed programs!";
inline constexpr const char* kCannotLog = "The log file cannot be written:\n";  // the log's path follows
inline constexpr const char* kSetPathFailed = "SetPath failed!";
inline constexpr const char* kSetDescriptionFailed = "SetDescription failed!";

// The destination's refusals and question.
inline constexpr const char* kDirectoryExists = "Directory already exists... Continue?";
inline constexpr const char* kInvalidForm = "Invalid input - must be of the form\nX:\\Path";
// An unattended /D= that is no absolute path.
inline constexpr const char* kNotAbsolute = "The path must be absolute:\nX:\\Path or \\\\server\\share\\Path";
// %i: the shortfall in KB; %c%.*s: the drive ("D:"), or an unattended
// /D='s share ("\\server\share").
inline constexpr const char* kNoSpace =
    "Not enough disk space.\nLeave Setup and free at least %i KB on drive %c%.*s\nor choose a different drive.";
inline constexpr const char* kCannotCreate = "The directory cannot be created.\nPossibly incorrect syntax.";
inline constexpr const char* kFileExists = "A file of the same name already exists.\nPlease Choose a different location.";
inline constexpr const char* kPathTooLong = "The path is too long.\nPlease choose a shorter one.";

// The program group's refusals (with kFileExists and kPathTooLong).
inline constexpr const char* kPathNotFound = "Could not create! (path not found)";
inline constexpr const char* kNoProgramsFolder = "The start menu folder cannot be found.\nPlease choose the other start menu.";
inline constexpr const char* kNotInStartMenu = "Please enter the name of a folder\nwithin the start menu.";

// clang-format on
