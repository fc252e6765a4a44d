#include "setup/decisions/UnattendedChoices.h"

#include "framework/os/FileSystem.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/DestinationChoice.h"
#include "setup/decisions/FolderPaths.h"
#include "setup/decisions/ProgramGroupChoice.h"

namespace {

bool ChooseDestination(const CSetupData& setup, const CommandLine& options, CInstallLog& log, InstallChoices& choices)
{
  char szProposal[260];
  char szPrevDir[260];
  ProposeDestination(setup.m_strAppName, setup.m_strDefaultDest, szProposal, szPrevDir);
  const bool bGiven = (options.nGiven & OPT_DEST) != 0;
  const char* pszPath = bGiven ? options.szDest : szProposal;
  log.Write(bGiven ? "destination (/D=)" : "destination (proposed)", pszPath);

  const DestinationCheck check = CheckDestination(pszPath, szPrevDir, setup.m_nTotalSize);
  if (check.verdict != kDestAccepted && check.verdict != kDestExists) {
    UINT nIcon;
    log.Write("destination refused", DescribeDestinationRefusal(check, pszPath, nIcon));
    return false;
  }
  if (check.verdict == kDestExists)
    log.Write(kWarningCaption, CString(kDirectoryExists) + " Yes, as /S answers");
  choices.strDestDir = pszPath;
  choices.bMadeDestDir = check.bMade;
  return true;
}

bool ChooseProgramGroup(const CSetupData& setup, const CommandLine& options, CInstallLog& log,
                        InstallChoices& choices)
{
  choices.nScope = (options.nGiven & OPT_ALLUSERS)      ? kScopeAllUsers
                   : (options.nGiven & OPT_CURRENTUSER) ? kScopeCurrentUser
                                                        : kDefaultScope;
  log.Write("start menu", ScopeName(choices.nScope));
  char szPrograms[260] = "";
  ReadProgramsFolder(choices.nScope, szPrograms);

  const bool bGiven = (options.nGiven & OPT_GROUP) != 0;
  const char* pszName = bGiven ? options.szGroup : static_cast<const char*>(setup.m_strAppName);
  log.Write(bGiven ? "program group (/GROUP=)" : "program group (proposed)", pszName);
  char szGroup[260];
  const GroupVerdict verdict = CreateProgramGroup(szPrograms, pszName, szGroup);
  if (verdict != kGroupAccepted) {
    log.Write("program group refused", DescribeGroupRefusal(verdict));
    return false;
  }
  log.Write("program group folder", szGroup);
  choices.strProgramGroup = szGroup;
  return true;
}

}  // namespace

bool ChooseUnattended(const CSetupData& setup, const CommandLine& options, CInstallLog& log, InstallChoices& choices)
{
  if (!ChooseDestination(setup, options, log, choices))
    return false;
  if (ChooseProgramGroup(setup, options, log, choices))
    return true;
  // As Back from the start-menu dialog: the destination goes again if
  // setup made it and it is still empty.
  if (choices.bMadeDestDir)
    RemoveFolder(choices.strDestDir);
  return false;
}
