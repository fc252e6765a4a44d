// The application object: setup's data (CSetupData), its dialogs, and the
// install sequence in InitInstance.
#pragma once
#include "framework/afxwin.h"
#include "setup/SetupData.h"
#include "setup/dialogs/AgreementDlg.h"
#include "setup/dialogs/DestinationDlg.h"
#include "setup/dialogs/InitDlg.h"

class CProgressDlg;

class CSetupApp : public CWinApp, public CSetupData
{
public:
  CSetupApp();
  ~CSetupApp() override;

  BOOL InitInstance() override;

  // Reads this program's own file (the module path) and its overlay.
  BOOL LoadOverlay();

  // Extracts every entry of the file table below lpszDestDir, in archive
  // order, naming it in the progress dialog and advancing the bar by its
  // size; pfnEntryDone, when given, is called after each entry. Returns -1,
  // or the index of the entry whose extraction raised an error.
  typedef void (*EntryDoneHook)(int32_t nIndex, void* pUserData);
  int32_t ExtractFiles(CProgressDlg& progress, const char* lpszDestDir, EntryDoneHook pfnEntryDone = NULL,
                       void* pUserData = NULL);

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
