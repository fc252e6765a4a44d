// The application object: setup's data (CSetupData), its dialogs, and the
// install sequence in InitInstance.
#pragma once
#include "framework/afxwin.h"
#include "setup/SetupData.h"
#include "setup/dialogs/AgreementDlg.h"
#include "setup/dialogs/DestinationDlg.h"
#include "setup/dialogs/InitDlg.h"

class CBackgroundWnd;
class CProgressDlg;
class CStartMenuDlg;
class UninstallData;

class CSetupApp : public CWinApp, public CSetupData
{
public:
  CSetupApp();
  ~CSetupApp() override;

  BOOL InitInstance() override;
  void RunInstallation(CBackgroundWnd& background);
  INT_PTR ChooseDestination(CStartMenuDlg& startMenu);

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
  int32_t ExtractFiles(CProgressDlg& progress, const char* lpszDestDir, EntryDoneHook pfnEntryDone = NULL,
                       void* pUserData = NULL, ExtractFailedHook pfnFailed = NULL);
  // One entry; false with the reason, in the script's language, when it
  // could not be extracted.
  bool ExtractEntry(int32_t nIndex, const char* lpszDestDir, CString& strCause);

  // The steps after the extraction.
  void CleanUpEarlierInstallation(CProgressDlg& progress, const char* lpszProgramGroup);
  // Deletes what the earlier record lists and this installation does not
  // bring again, and the earlier shortcuts; relative to the current directory.
  void RemoveEarlierInstallation(UninstallData& earlier, const char* lpszProgramGroup);
  void CreateAllShortcuts(CProgressDlg& progress, const char* lpszProgramGroup);
  void InstallFonts(const char* lpszDestDir);
  // true when uninstall.dat was written; else the person has been told.
  bool SaveUninstallData(CProgressDlg& progress, CWnd& owner, const char* lpszDestDir);
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

  CInitDlg m_initDlg;
  CDestinationDlg m_destinationDlg;
  CAgreementDlg m_agreementDlg;
};

extern CSetupApp theApp;
