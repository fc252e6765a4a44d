// dialoghost: shows one of setup's dialogs on its own, for the dialog tests.
// The script's values come from the command line; after each run the result and
// the dialog's output fields are appended to the report file, in UTF-8. Several runs use one dialog object, as setup's Back loop
// does.
//
// usage: dialoghost destination|startmenu REPORT [--app NAME] [--lang CODE]
//          [--default-dest NAME] [--total-size N] [--runs N]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "setup/SetupData.h"
#include "setup/dialogs/DestinationDlg.h"
#include "setup/dialogs/DialogFeedback.h"
#include "setup/dialogs/StartMenuDlg.h"

namespace {

const int kExitUsage = 3;

// What setup would give the dialogs: its script's values, and the
// dialogs' feedback for their message boxes.
CSetupData g_setup;
CInstallLog g_log;
CDialogFeedback g_feedback(g_log);

struct HostOptions
{
  const char* pszDialog;
  const char* pszReport;
  long nRuns;
};

bool ParseNumber(const char* pszText, long& nValue)
{
  char* pEnd = NULL;
  nValue = strtol(pszText, &pEnd, 10);
  return *pszText != '\0' && *pEnd == '\0';
}

bool ParseOptions(int argc, char** argv, HostOptions& options)
{
  if (argc < 3 || argc % 2 != 1)
    return false;
  options.pszDialog = argv[1];
  options.pszReport = argv[2];
  options.nRuns = 1;
  for (int i = 3; i < argc; i += 2) {
    const char* pszName = argv[i];
    const char* pszValue = argv[i + 1];
    long nValue = 0;
    if (strcmp(pszName, "--app") == 0)
      g_setup.m_strAppName = pszValue;
    else if (strcmp(pszName, "--lang") == 0)
      g_setup.m_strLanguage = pszValue;
    else if (strcmp(pszName, "--default-dest") == 0)
      g_setup.m_strDefaultDest = pszValue;
    else if (strcmp(pszName, "--total-size") == 0 && ParseNumber(pszValue, nValue))
      g_setup.m_nTotalSize = static_cast<int32_t>(nValue);
    else if (strcmp(pszName, "--runs") == 0 && ParseNumber(pszValue, nValue) && nValue > 0)
      options.nRuns = nValue;
    else
      return false;
  }
  return strcmp(options.pszDialog, "destination") == 0 || strcmp(options.pszDialog, "startmenu") == 0;
}

void Report(const char* pszReport, const char* pszText)
{
  FILE* pFile = fopen(pszReport, "ab");
  if (pFile == NULL)
    return;
  fputs(pszText, pFile);
  fclose(pFile);
}

void RunDestination(const HostOptions& options)
{
  CDestinationDlg dlg;
  dlg.m_pSetup = &g_setup;
  dlg.m_pFeedback = &g_feedback;
  for (long nRun = 1; nRun <= options.nRuns; ++nRun) {
    const INT_PTR nResult = dlg.DoModal();
    CString strLine;
    strLine.Format("run=%ld result=%d\ndest=%s\nprevdir=%s\n", nRun, static_cast<int>(nResult),
                   static_cast<const char*>(dlg.m_strDestDir), static_cast<const char*>(dlg.m_strPrevDir));
    Report(options.pszReport, strLine);
  }
}

void RunStartMenu(const HostOptions& options)
{
  CStartMenuDlg dlg;
  dlg.m_pSetup = &g_setup;
  dlg.m_pFeedback = &g_feedback;
  for (long nRun = 1; nRun <= options.nRuns; ++nRun) {
    const INT_PTR nResult = dlg.DoModal();
    CString strLine;
    strLine.Format("run=%ld result=%d\nfolder=%s\nscope=%d\nprograms=%s\n", nRun, static_cast<int>(nResult),
                   static_cast<const char*>(dlg.m_strFolder), dlg.m_nScope,
                   static_cast<const char*>(dlg.m_strProgramsDir));
    Report(options.pszReport, strLine);
  }
}

}  // namespace

int main(int argc, char** argv)
{
  g_setup.m_strAppName = "Quillwork";
  g_setup.m_strLanguage = "ENG";
  g_setup.m_strDefaultDest = "ProgramFiles";
  HostOptions options;
  if (!ParseOptions(argc, argv, options)) {
    fputs(
        "usage: dialoghost destination|startmenu REPORT [--app NAME] [--lang CODE]\n"
        "         [--default-dest NAME] [--total-size N] [--runs N]\n",
        stderr);
    return kExitUsage;
  }

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  remove(options.pszReport);
  if (strcmp(options.pszDialog, "destination") == 0)
    RunDestination(options);
  else
    RunStartMenu(options);
  return 0;
}
