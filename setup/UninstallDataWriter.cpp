#include "setup/UninstallDataWriter.h"

#include <stdio.h>
#include <string.h>

namespace {
// The readers take an application name of up to 254 bytes and paths of up
// to 258 bytes whole; a longer string would shift every field behind it.
// So the name is cut, and a longer path is left out of its list: a cut path
// could name some other file, and the uninstaller must delete only what was
// installed.
const size_t kMaxAppName = 254;
const size_t kMaxPath = 258;

// One list's strings: a count, then each string with its NUL.
class CNameList
{
public:
  CNameList(FILE* pFile, bool bWrite) : m_nCount(0), m_pFile(pFile), m_bWrite(bWrite) {}
  void Add(const char* psz, size_t nSlot)
  {
    size_t nLen = strnlen(psz, nSlot);
    if (nLen > kMaxPath)
      return;
    ++m_nCount;
    if (m_bWrite) {
      fwrite(psz, 1, nLen, m_pFile);
      fputc(0, m_pFile);
    }
  }
  int32_t m_nCount;

private:
  FILE* m_pFile;
  bool m_bWrite;
};

void PutInt32(FILE* pFile, int32_t n)
{
  uint32_t u = (uint32_t)n;
  for (int i = 0; i < 4; ++i)
    fputc((int)((u >> (8 * i)) & 0xFF), pFile);
}

void AddShortcuts(CNameList& list, const ShortcutEntry* pList, int32_t nCount)
{
  for (int32_t i = 0; i < nCount; ++i)
    list.Add(pList[i].linkPath, sizeof(pList[i].linkPath));
}

// The lists in file order; called once to count and once to write.
void AddFiles(CNameList& list, const CSetupData& data)
{
  for (int32_t i = 0; i < data.m_nFiles; ++i)
    list.Add(data.m_pFiles[i].name, sizeof(data.m_pFiles[i].name));
}
void AddLinks(CNameList& list, const CSetupData& data)
{
  AddShortcuts(list, data.m_pShortcuts, data.m_nShortcuts);
  AddShortcuts(list, data.m_pStartupShortcuts, data.m_nStartupShortcuts);
  AddShortcuts(list, data.m_pDesktopShortcuts, data.m_nDesktopShortcuts);
}
void AddGenerated(CNameList& list, const CSetupData& data)
{
  for (int32_t i = 0; i < data.m_nGeneratedFiles; ++i)
    list.Add(*data.m_ppGeneratedFiles[i], (size_t)data.m_ppGeneratedFiles[i]->GetLength());
}

void WriteList(FILE* pFile, const CSetupData& data, void (*pfnAdd)(CNameList&, const CSetupData&))
{
  CNameList counter(pFile, false);
  pfnAdd(counter, data);
  PutInt32(pFile, counter.m_nCount);
  CNameList writer(pFile, true);
  pfnAdd(writer, data);
}
}

BOOL WriteUninstallData(const CSetupData& data, const char* lpszPath)
{
#ifdef _WIN32
  FILE* pFile = fopen(lpszPath, "wb");
#else
  char szHost[4096];
  FILE* pFile = fopen(HostPath(lpszPath, szHost, sizeof(szHost)), "wb");
#endif
  if (pFile == NULL)
    return TRUE;
  fwrite("SS01", 1, 4, pFile);
  size_t nName = (size_t)data.m_strAppName.GetLength();
  fwrite((const char*)data.m_strAppName, 1, nName > kMaxAppName ? kMaxAppName : nName, pFile);
  fputc(0, pFile);
  WriteList(pFile, data, AddFiles);
  WriteList(pFile, data, AddLinks);
  WriteList(pFile, data, AddGenerated);
  // A file that could not be written whole is a failure too, not a success.
  bool bWritten = ferror(pFile) == 0;
  return fclose(pFile) == 0 && bWritten ? FALSE : TRUE;
}
