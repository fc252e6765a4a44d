// setup's command line: the options of an unattended run, and the log that
// /LOG= asks for, in any run.
#include "setup/SetupApp.h"

namespace {

// How the log names each option; a value follows the name.
struct OptionLabel
{
  unsigned nBit;
  const char* pszName;
  CString CommandLine::*pValue;
};

const OptionLabel kOptionLabels[] = {
    {OPT_SILENT, "/S", NULL},
    {OPT_ALLUSERS, "/ALLUSERS", NULL},
    {OPT_CURRENTUSER, "/CURRENTUSER", NULL},
    {OPT_GROUP, "/GROUP=", &CommandLine::strGroup},
    {OPT_LOG, "/LOG=", &CommandLine::strLog},
    {OPT_ALLOWDOWNGRADE, "/ALLOWDOWNGRADE", NULL},
    {OPT_ELEVATED, "/ELEVATED", NULL},
    {OPT_DEST, "/D=", &CommandLine::strDest},
};

}  // namespace

ArgumentsVerdict CSetupApp::ReadCommandLine(const char* lpszArgs)
{
  const ArgumentsVerdict verdict = ReadArguments(lpszArgs, OPT_SETUP, m_options, m_log);
  m_bSilent = (m_options.nGiven & OPT_SILENT) != 0;
  if (verdict == kArgumentsIgnored) {
    // Without /S setup goes on as it always has, whatever the arguments.
    m_options.nGiven = 0;
    return kArgumentsUsed;
  }
  if (verdict != kArgumentsUsed) {
    m_nExitCode = kExitBadCommandLine;
    return verdict;
  }
  for (const OptionLabel& option : kOptionLabels)
    if (m_options.nGiven & option.nBit)
      m_log.Write("option", CString(option.pszName) + (option.pValue != NULL ? m_options.*option.pValue : CString()));
  return verdict;
}
