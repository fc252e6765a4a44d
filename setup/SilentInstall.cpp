// The command line, and the unattended installation it may ask for: with
// /S the destination and the program group are decided as the dialogs
// decide, without a window, and every message goes to the log instead.
#include "setup/SetupApp.h"

#include "setup/SetupTexts.h"

#include "setup/dialogs/DestinationChoice.h"
#include "setup/dialogs/FolderPaths.h"
#include "setup/dialogs/ProgramGroupChoice.h"

namespace {

// How the log names each option; a value follows the name.
struct OptionLabel
{
  unsigned nBit;
  const char* pszName;
  char (CommandLine::*pValue)[CMDLINE_VALUE_SIZE];
};

const OptionLabel kOptionLabels[] = {
    {OPT_SILENT, "/S", NULL},
    {OPT_ALLUSERS, "/ALLUSERS", NULL},
    {OPT_CURRENTUSER, "/CURRENTUSER", NULL},
    {OPT_GROUP, "/GROUP=", &CommandLine::szGroup},
    {OPT_LOG, "/LOG=", &CommandLine::szLog},
    {OPT_DEST, "/D=", &CommandLine::szDest},
};

}  // namespace

bool CSetupApp::ReadCommandLine(const char* lpszArgs)
{
  const ArgumentsVerdict verdict = ReadArguments(lpszArgs, OPT_SETUP, m_options, m_log);
  m_bSilent = (m_options.nGiven & OPT_SILENT) != 0;
  if (verdict == kArgumentsIgnored) {
    // Without /S setup goes on as it always has, whatever the arguments.
    m_options.nGiven = 0;
    return true;
  }
  if (verdict != kArgumentsUsed) {
    m_nExitCode = kExitBadCommandLine;
    if (verdict == kArgumentsNoLog && !m_bSilent)
      ::MessageBoxA(NULL, CString(kCannotLog) + m_options.szLog, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  for (const OptionLabel& option : kOptionLabels)
    if (m_options.nGiven & option.nBit)
      m_log.Write("option", CString(option.pszName) + (option.pValue != NULL ? m_options.*option.pValue : ""));
  return true;
}

int CSetupApp::RunSilentInstallation()
{
  if (!m_agreementDlg.m_strText.IsEmpty())
    m_log.Write("agreement", "accepted by whoever runs /S");
  if (!ChooseSilentDestination())
    return kExitRefused;
  char szGroup[260];
  if (!ChooseSilentProgramGroup(szGroup)) {
    // As Back from the start-menu dialog: the destination goes again if
    // setup made it and it is still empty.
    if (m_destinationDlg.m_bMadeDestDir)
      _rmdir(m_destinationDlg.m_szDestDir);
    return kExitRefused;
  }
  return Install(m_destinationDlg.m_szDestDir, szGroup, NULL, NULL);
}

// /D= or the dialog's proposal, through the checks of the dialog's OK. A
// folder that is there already is used, as "Yes" to the dialog's question.
bool CSetupApp::ChooseSilentDestination()
{
  CDestinationDlg& dialog = m_destinationDlg;
  char szProposal[260];
  ProposeDestination(m_strAppName, m_strDefaultDest, szProposal, dialog.m_szPrevDir);
  const bool bGiven = (m_options.nGiven & OPT_DEST) != 0;
  const char* pszPath = bGiven ? m_options.szDest : szProposal;
  m_log.Write(bGiven ? "destination (/D=)" : "destination (proposed)", pszPath);

  const DestinationCheck check = CheckDestination(pszPath, dialog.m_szPrevDir, m_nTotalSize);
  if (check.verdict != kDestAccepted && check.verdict != kDestExists) {
    UINT nIcon;
    m_log.Write("destination refused", DescribeDestinationRefusal(check, pszPath, nIcon));
    return false;
  }
  if (check.verdict == kDestExists)
    m_log.Write(kWarningCaption, CString(kDirectoryExists) + " Yes, as /S answers");
  CopyCut(dialog.m_szDestDir, sizeof(dialog.m_szDestDir), pszPath);
  dialog.m_bMadeDestDir = check.bMade;
  return true;
}

// /GROUP= or the application's name, below the Programs folder of the
// scope that /ALLUSERS or /CURRENTUSER name or the dialog would select.
bool CSetupApp::ChooseSilentProgramGroup(char (&szGroup)[260])
{
  const int nScope = (m_options.nGiven & OPT_ALLUSERS)      ? kScopeAllUsers
                     : (m_options.nGiven & OPT_CURRENTUSER) ? kScopeCurrentUser
                                                            : kDefaultScope;
  m_log.Write("start menu", ScopeName(nScope));
  char szPrograms[260] = "";
  ReadProgramsFolder(nScope, szPrograms);

  const bool bGiven = (m_options.nGiven & OPT_GROUP) != 0;
  const char* pszName = bGiven ? m_options.szGroup : static_cast<const char*>(m_strAppName);
  m_log.Write(bGiven ? "program group (/GROUP=)" : "program group (proposed)", pszName);
  const GroupVerdict verdict = CreateProgramGroup(szPrograms, pszName, szGroup);
  if (verdict != kGroupAccepted) {
    m_log.Write("program group refused", DescribeGroupRefusal(verdict));
    return false;
  }
  m_log.Write("program group folder", szGroup);
  return true;
}
