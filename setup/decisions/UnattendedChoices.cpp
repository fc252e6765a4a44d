#include "setup/decisions/UnattendedChoices.h"

#include "framework/os/FileSystem.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/DestinationChoice.h"
#include "setup/decisions/FolderPaths.h"
#include "setup/decisions/ProgramGroupChoice.h"
#include "setup/install/InstallJournal.h"

namespace {

UnattendedVerdict ChooseDestination(const CSetupData& setup, const CommandLine& options, CInstallLog& log,
                                    InstallChoices& choices)
{
  CString strProposal, strPrevDir;
  ProposeDestination(setup.m_strAppName, setup.m_strDefaultDest, setup.m_bPerUser, strProposal, strPrevDir);
  const bool bGiven = (options.nGiven & OPT_DEST) != 0;
  const char* pszPath = bGiven ? options.strDest : strProposal;
  log.Write(bGiven ? "destination (/D=)" : "destination (proposed)", pszPath);
  // An installation there that never ended is undone first.
  if (!CInstallJournal::RollBackUnfinished(pszPath, log)) {
    log.Write("destination refused", kEarlierNotUndoneText.pszEnglish);
    return kEarlierNotUndone;
  }

  // /D= names the folder of an unattended run: "C:Tools" would be relative
  // to whatever the current directory of that drive is.
  const DestinationCheck check =
      CheckDestination(pszPath, strPrevDir, setup.m_nTotalSize, bGiven ? kAbsoluteForm : kDialogForm);
  if (check.verdict != kDestAccepted && check.verdict != kDestExists) {
    UINT nIcon;
    log.Write("destination refused", DescribeDestinationRefusal(check, nIcon));
    return kChoiceRefused;
  }
  if (check.verdict == kDestExists)
    log.Write(kWarningCaption, CString(kDirectoryExists) + " Yes, as /S answers");
  choices.strDestDir = check.strPath;
  choices.bMadeDestDir = check.bMade;
  return kChoicesMade;
}

bool ChooseProgramGroup(const CSetupData& setup, const CommandLine& options, CInstallLog& log, InstallChoices& choices)
{
  // A per-user installation's links go into the person's own start menu.
  choices.bPerUser = setup.m_bPerUser;
  choices.nScope = setup.m_bPerUser                  ? kScopeCurrentUser
                   : (options.nGiven & OPT_ALLUSERS) ? kScopeAllUsers
                                                     : kDefaultScope;
  log.Write("start menu", ScopeName(choices.nScope));
  CString strPrograms;
  ReadProgramsFolder(choices.nScope, strPrograms);

  const bool bGiven = (options.nGiven & OPT_GROUP) != 0;
  const CString& strName = bGiven ? options.strGroup : setup.m_strAppName;
  const char* pszName = strName;
  log.Write(bGiven ? "program group (/GROUP=)" : "program group (proposed)", pszName);
  CString strGroup;
  const GroupVerdict verdict = CreateProgramGroup(strPrograms, pszName, strGroup, choices.bMadeProgramGroup);
  if (verdict != kGroupAccepted) {
    log.Write("program group refused", DescribeGroupRefusal(verdict));
    return false;
  }
  log.Write("program group folder", strGroup);
  choices.strProgramGroup = strGroup;
  return true;
}

}  // namespace

UnattendedVerdict ChooseUnattended(const CSetupData& setup, const CommandLine& options, CInstallLog& log,
                                   InstallChoices& choices)
{
  const UnattendedVerdict verdict = ChooseDestination(setup, options, log, choices);
  if (verdict != kChoicesMade)
    return verdict;
  if (ChooseProgramGroup(setup, options, log, choices))
    return kChoicesMade;
  // As Back from the start-menu dialog: the destination goes again if
  // setup made it and it is still empty.
  if (choices.bMadeDestDir)
    RemoveFolder(choices.strDestDir);
  return kChoiceRefused;
}
