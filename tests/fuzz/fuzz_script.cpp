// The setup script parse and the overlay search on arbitrary bytes. The
// fields must stay inside their records and the search inside the buffer;
// the search over a file in small chunks must find what the search over
// the whole image finds; the whole load, archive included, from a memory
// file must fail cleanly or succeed. The sanitizers catch the rest.
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

#include "framework/os/Unicode.h"
#include "setup/SetupData.h"

namespace {
void CheckShortcuts(const ShortcutEntry* pList, int32_t nCount)
{
  if (nCount < 0 || (nCount > 0 && pList == NULL))
    abort();
  // Each field is a whole UTF-8 text: no NUL inside, no sequence cut.
  for (int32_t i = 0; i < nCount; ++i)
    for (const CString* pField : {&pList[i].target, &pList[i].arguments, &pList[i].caption})
      if (strlen(*pField) != (size_t)pField->GetLength() || !IsValidUtf8(*pField, (size_t)pField->GetLength()))
        abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  const char* pImage = reinterpret_cast<const char*>(pData);
  uint32_t nScript = 0, nArchive = 0;
  bool bWhole = CSetupData::FindOverlay(pImage, (uint32_t)nSize, nScript, nArchive);
  if (bWhole && (nScript < CSetupData::kMarkerSize || nArchive > nSize || nArchive - CSetupData::kMarkerSize < nScript))
    abort();

  // The same bytes as a file, searched in chunks of a size the input picks.
  std::string strImage(pImage, nSize);
  std::vector<char> buffer(CSetupData::kMarkerSize + (nSize ? pData[0] % 32 : 0));
  CMemFile file(reinterpret_cast<BYTE*>(&strImage[0]), (UINT)nSize);
  uint32_t nFileScript = 0, nFileArchive = 0;
  bool bChunks = CSetupData::FindOverlayIn(file, buffer.data(), (uint32_t)buffer.size(), nFileScript, nFileArchive);
  if (bWhole != bChunks || (bWhole && (nScript != nFileScript || nArchive != nFileArchive)))
    abort();
  {
    CSetupData loaded;
    CString strAgreement;
    if (!loaded.LoadOverlayFrom(file, strAgreement) && loaded.BuildFileTable() == FALSE &&
        (loaded.m_nImageSize != nArchive || loaded.m_archive.GetCount() != loaded.m_nFiles))
      abort();
  }

  // The script as setup sees it: text up to the first NUL, UTF-8 behind a
  // byte-order mark (which must then be valid), else the ANSI page's bytes.
  const std::string strRaw(pImage, strnlen(pImage, nSize));
  CString strText;
  if (strRaw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    if (!IsValidUtf8(strRaw.data() + 3, strRaw.size() - 3))
      return 0;
    strText = CString(strRaw.data() + 3, (int)strRaw.size() - 3);
  } else {
    strText = Utf8FromCodePage(kAnsiCodePage, strRaw.data(), (int)strRaw.size());
  }
  CSetupData data;
  CString strAgreement;
  data.ParseScript(strText, strAgreement);
  CheckShortcuts(data.m_pShortcuts, data.m_nShortcuts);
  CheckShortcuts(data.m_pStartupShortcuts, data.m_nStartupShortcuts);
  CheckShortcuts(data.m_pDesktopShortcuts, data.m_nDesktopShortcuts);
  if (data.m_nGeneratedFiles < 0 || data.m_nFonts < 0 || strAgreement.Find('#') >= 0)
    abort();
  return 0;
}
