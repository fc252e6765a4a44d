// Step 12 of the install sequence: what an earlier installation of the same
// application left in the destination and the new one does not bring again
// is deleted, with its shortcuts.
#include "setup/SetupApp.h"

#include "common/InstallNames.h"
#include "common/UninstallData.h"

namespace {

// Names come from a file in the destination: only those that stay inside
// it are ever deleted.
void DeleteInstalledFile(const char* lpszName)
{
  if (IsInsideInstallation(lpszName))
    _unlink(lpszName);
}

}  // namespace

void CSetupApp::RemoveEarlierInstallation(UninstallData& earlier, const char* lpszProgramGroup)
{
  for (int32_t i = 0; i < earlier.m_nInstalled; ++i)
    if (!HasFile(earlier.m_pInstalled[i]))
      DeleteInstalledFile(earlier.m_pInstalled[i]);
  for (int32_t i = 0; i < earlier.m_nGenerated; ++i)
    if (!HasGeneratedFile(earlier.m_pGenerated[i]))
      DeleteInstalledFile(earlier.m_pGenerated[i]);
  earlier.RemoveShortcuts();
  // The old shortcuts' folder may have been the new program group.
  if (lpszProgramGroup != NULL && lpszProgramGroup[0] != '\0')
    _mkdir(lpszProgramGroup);
}
