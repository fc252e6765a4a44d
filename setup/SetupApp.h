// The application object: setup's data (CSetupData), its dialogs, and the
// install sequence in InitInstance.
#pragma once
#include "common/CommandLine.h"
#include "framework/afxwin.h"
#include "common/InstallLog.h"
#include "setup/SetupData.h"
#include "setup/dialogs/AgreementDlg.h"
#include "setup/dialogs/DestinationDlg.h"
#include "setup/dialogs/InitDlg.h"

class CBackgroundWnd;
class CProgressDlg;
class CStartMenuDlg;
class UninstallData;
struct SetupText;

// setup's exit codes for an unattended run (/S).
enum SetupExitCode
{
  kExitInstalled = 0,
  kExitStopped = 1,         // stopped at an entry that could not be extracted
  kExitBadCommandLine = 2,  // or a log that cannot be written; nothing installed
  kExitRefused = 3,         // the destination or the program group
  kExitDamaged = 4,         // the installer cannot be read, or no memory for it
};

class CSetupApp : public CWinApp, public CSetupData
{
public:
  CSetupApp();
  ~CSetupApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  void RunInstallation(CBackgroundWnd& background);
  INT_PTR ChooseDestination(CStartMenuDlg& startMenu);

  // The options: false when setup is to end at once (m_nExitCode says why).
  bool ReadCommandLine(const char* lpszArgs);
  // /S: the dialogs' decisions without their windows, then the installation.
  int RunSilentInstallation();
  bool ChooseSilentDestination();
  bool ChooseSilentProgramGroup(char (&szGroup)[260]);
  // Extraction to registration into the chosen destination and program
  // group; the progress dialog and the owner of message boxes are NULL
  // in an unattended run. kExitInstalled or kExitStopped.
  int Install(const char* lpszDestDir, const char* lpszProgramGroup, CProgressDlg* pProgress, CWnd* pOwner);

  // A message for the person: logged, and shown unless the run is
  // unattended (then the result is nDefault).
  int Tell(CWnd* pOwner, const char* lpszText, const char* lpszCaption, UINT nType, int nDefault = IDOK);
  // A status text of the sequence: in the progress dialog and the log.
  void ShowStatus(CProgressDlg* pProgress, const SetupText& text);

  // Reads this program's own file (the module path) and its overlay.
  BOOL LoadOverlay();

  // Extracts every entry of the file table below lpszDestDir, in archive
  // order, naming it in the progress dialog and advancing the bar by its
  // size; pfnEntryDone, when given, is called after each entry. An entry
  // that fails is offered to pfnFailed, which returns true to try it again;
  // without one, or when it returns false, the extraction stops. Returns -1,
  // or the index of the entry it stopped at.
  typedef void (*EntryDoneHook)(int32_t nIndex, void* pUserData);
  typedef bool (*ExtractFailedHook)(int32_t nIndex, const CString& strCause, void* pUserData);
  // Without a progress dialog (an unattended run) nothing is shown.
  int32_t ExtractFiles(CProgressDlg* pProgress, const char* lpszDestDir, EntryDoneHook pfnEntryDone = NULL,
                       void* pUserData = NULL, ExtractFailedHook pfnFailed = NULL);
  // One entry; false with the reason, in the script's language, when it
  // could not be extracted.
  bool ExtractEntry(int32_t nIndex, const char* lpszDestDir, CString& strCause);

  // The steps after the extraction.
  void CleanUpEarlierInstallation(CProgressDlg* pProgress, const char* lpszProgramGroup);
  // Deletes what the earlier record lists and this installation does not
  // bring again, and the earlier shortcuts; relative to the current directory.
  void RemoveEarlierInstallation(UninstallData& earlier, const char* lpszProgramGroup);
  void CreateAllShortcuts(CProgressDlg* pProgress, const char* lpszProgramGroup);
  void InstallFonts(const char* lpszDestDir);
  // true when uninstall.dat was written; else the person has been told.
  bool SaveUninstallData(CProgressDlg* pProgress, CWnd* pOwner, const char* lpszDestDir);
  // TRUE when the Uninstall key or its values could not be written. A name
  // that cannot name its own key (empty, or with a backslash) is not
  // registered, and that is no failure.
  BOOL RegisterUninstall(const char* lpszDestDir);
  void RecordStoppedInstallation(const char* lpszDestDir, int32_t nStoppedAt);

  // Shell folders and shortcuts.
  // Reads one value of the Shell Folders key below hRoot into a 260-byte
  // buffer. TRUE when it cannot be read, is empty or does not fit; the
  // buffer is then unchanged.
  BOOL GetShellFolder(const char* lpszValueName, char* lpszFolder, HKEY hRoot);
  void CreateShortcutsIn(ShortcutEntry* pList, int32_t nCount, const char* lpszValueName);
  HRESULT CreateShortcut(ShortcutEntry* pEntry, const char* lpszFolder);
  HRESULT CreateLink(const char* lpszTarget, const char* lpszLinkFile, const char* lpszDescription,
                     const char* lpszArguments);
  void TellLinkFailure(const char* lpszText);

  CInitDlg m_initDlg;
  CDestinationDlg m_destinationDlg;
  CAgreementDlg m_agreementDlg;

  // The command line: /S makes the run unattended, without any window.
  CommandLine m_options;
  bool m_bSilent;
  CInstallLog m_log;
  int m_nExitCode;
};

extern CSetupApp theApp;
