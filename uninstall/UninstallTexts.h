// Every text the uninstaller shows, in one table. The message about what
// remained has an English and a German form (German for an installation
// that setup recorded as German; UTF-8, shown through the wide functions);
// the others are English only.
#pragma once

inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kSuccessCaption = "Success";
inline constexpr const char* kReadError = "Uninstall information could\nnot be read or is corrupt!";
inline constexpr const char* kFolderError = "The installation folder could not be opened!";  // + kNothingRemoved
inline constexpr const char* kNothingRemoved = "\nNothing was removed.";
inline constexpr char kCannotLog[] = "The log file cannot be written:\n";        // its size makes a buffer
inline constexpr const char* kUninstalled = "%s was uninstalled successfully!";  // %s: the application
// An installation into the uninstaller's folder that setup began and has
// neither finished nor undone; %s: the installer, or kTheInstaller when its
// journal does not say. kNothingRemoved follows.
inline constexpr const char* kUnfinished =
    "This installation did not finish.\nRun %s again: it restores the earlier one.";
inline constexpr const char* kTheInstaller = "the installer";
// A machine-wide installation, and the second start with administrator
// rights was refused; %s: the application. kNothingRemoved follows.
inline constexpr const char* kNotElevated = "Administrator rights are needed to remove %s for all users.";

struct RemainsText
{
  const char* pszCaption;
  const char* pszOne;   // %s the application
  const char* pszMany;  // %s the application, %d the count
  const char* pszMore;  // %d the items not named
};

// clang-format off
inline constexpr RemainsText kRemainsEnglish = {
  "Warning",
  "%s was uninstalled, but 1 item could not be removed:\n",
  "%s was uninstalled, but %d items could not be removed:\n",
  "... and %d more"};

inline constexpr RemainsText kRemainsGerman = {
  "Warnung",
  "%s wurde entfernt, aber 1 Element konnte nicht gelöscht werden:\n",
  "%s wurde entfernt, aber %d Elemente konnten nicht gelöscht werden:\n",
  "... und %d weitere"};
// clang-format on
