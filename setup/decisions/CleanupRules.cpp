#include "setup/decisions/CleanupRules.h"

#include "framework/os/System.h"

bool SameFileName(const char* lpszA, const char* lpszB) { return EqualNoCase(lpszA, lpszB); }

EarlierFileFate DecideEarlierFile(const CSetupData& setup, const char* lpszName, const char** ppszNewName)
{
  if (setup.HasFile(lpszName))
    return kEarlierFileKept;
  for (int32_t i = 0; i < setup.m_nFiles; ++i)
    if (SameFileName(setup.m_pFiles[i].name, lpszName)) {
      *ppszNewName = setup.m_pFiles[i].name;
      return kEarlierFileRenamed;
    }
  return kEarlierFileDeleted;
}

bool KeepsEarlierGeneratedFile(const CSetupData& setup, const char* lpszName)
{
  for (int32_t i = 0; i < setup.m_nGeneratedFiles; ++i)
    if (SameFileName(*setup.m_ppGeneratedFiles[i], lpszName))
      return true;
  return false;
}
