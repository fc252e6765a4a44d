// The setup script parse and the overlay search on arbitrary bytes. The
// fields must stay inside their records and the search inside the buffer;
// the sanitizers catch the rest.
#include <stdlib.h>
#include <string.h>
#include <string>

#include "setup/SetupData.h"

namespace {
void CheckShortcuts(const ShortcutEntry* pList, int32_t nCount)
{
  if (nCount < 0 || (nCount > 0 && pList == NULL))
    abort();
  for (int32_t i = 0; i < nCount; ++i)
    if (strnlen(pList[i].target, sizeof(pList[i].target)) == sizeof(pList[i].target) ||
        strnlen(pList[i].arguments, sizeof(pList[i].arguments)) == sizeof(pList[i].arguments) ||
        strnlen(pList[i].caption, sizeof(pList[i].caption)) == sizeof(pList[i].caption))
      abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  const char* pImage = reinterpret_cast<const char*>(pData);
  uint32_t nScript = 0, nArchive = 0;
  if (CSetupData::FindOverlay(pImage, (uint32_t)nSize, nScript, nArchive) &&
      (nScript < CSetupData::kMarkerSize || nArchive > nSize || nArchive - CSetupData::kMarkerSize < nScript))
    abort();

  // The script as setup sees it: text up to the first NUL.
  std::string strText(pImage, strnlen(pImage, nSize));
  CSetupData data;
  CString strAgreement;
  data.ParseScript(strText.c_str(), strAgreement);
  CheckShortcuts(data.m_pShortcuts, data.m_nShortcuts);
  CheckShortcuts(data.m_pStartupShortcuts, data.m_nStartupShortcuts);
  CheckShortcuts(data.m_pDesktopShortcuts, data.m_nDesktopShortcuts);
  if (data.m_nGeneratedFiles < 0 || data.m_nFonts < 0 || strAgreement.Find('#') >= 0)
    abort();
  return 0;
}
