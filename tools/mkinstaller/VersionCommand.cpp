// mkinstaller --version: the tool's own version and the versions, from
// their VERSIONINFO, of the stub and uninstaller a build would take.
#include <stdio.h>

#include "InstallerVersion.h"
#include "tools/mkinstaller/Commands.h"
#include "tools/mkinstaller/StubLocation.h"

int RunVersion()
{
  printf("mkinstaller %s\n", INSTALLER_VERSION_TEXT);
  std::string strStub = FindDefaultStub();
  if (strStub.empty()) {
    std::string strPlaces;
    for (const std::string& strCandidate : StubCandidates())
      strPlaces += " " + strCandidate;
    printf("stub: none found (looked for%s)\n", strPlaces.c_str());
    return 0;
  }
  printf("stub: %s (%s)\n", strStub.c_str(), DescribeProgramVersion(strStub).c_str());
  std::string strUninstaller = FindUninstallerBeside(strStub);
  if (strUninstaller.empty())
    printf("uninstaller: none beside the stub\n");
  else
    printf("uninstaller: %s (%s)\n", strUninstaller.c_str(), DescribeProgramVersion(strUninstaller).c_str());
  return 0;
}
