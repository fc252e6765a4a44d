#include "setup/decisions/InstallScope.h"

#include <stdint.h>

#include "common/CommandLine.h"

namespace {

const int kVersionParts = 4;

// The parts of a version text into nParts; false when it is none.
bool ParseVersion(const char* psz, uint32_t (&nParts)[kVersionParts])
{
  for (uint32_t& nPart : nParts)
    nPart = 0;
  for (int i = 0;; ++i) {
    if (i == kVersionParts || *psz < '0' || *psz > '9')
      return false;
    uint64_t nValue = 0;
    for (; *psz >= '0' && *psz <= '9'; ++psz)
      if ((nValue = nValue * 10 + static_cast<uint64_t>(*psz - '0')) > UINT32_MAX)
        return false;
    nParts[i] = static_cast<uint32_t>(nValue);
    if (*psz == 0)
      return true;
    if (*psz++ != '.')
      return false;
  }
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsPerUserRun(unsigned nGivenOptions, bool bScriptPerUser)
{
  if (nGivenOptions & OPT_CURRENTUSER)
    return true;
  return bScriptPerUser && !(nGivenOptions & OPT_ALLUSERS);
}

bool IsPerUserDestination(const char* lpszDest, const char* lpszProfile)
{
  // ASCII case only, as the paths' other comparisons; a profile's name in
  // other letters compares byte for byte.
  const char* pszDest = lpszDest;
  const char* pszProfile = lpszProfile;
  for (; *pszProfile; ++pszDest, ++pszProfile)
    if (Lower(*pszDest) != Lower(*pszProfile))
      return false;
  // The profile folder itself, or a folder below it ("C:\Users\Ann" is no
  // parent of "C:\Users\Anna").
  return pszProfile != lpszProfile && (*pszDest == 0 || *pszDest == '\\' || pszProfile[-1] == '\\');
}

bool IsVersionText(const char* lpszVersion)
{
  uint32_t nParts[kVersionParts];
  return ParseVersion(lpszVersion, nParts);
}

bool IsDowngrade(const char* lpszNew, const char* lpszInstalled)
{
  uint32_t nNew[kVersionParts], nInstalled[kVersionParts];
  if (!ParseVersion(lpszNew, nNew) || !ParseVersion(lpszInstalled, nInstalled))
    return false;
  for (int i = 0; i < kVersionParts; ++i)
    if (nNew[i] != nInstalled[i])
      return nNew[i] < nInstalled[i];
  return false;
}
