#include "setup/UninstallDataWriter.h"

#include <stdio.h>
#include <string.h>

#include "framework/os/FileSystem.h"

namespace {

// One list's strings: a count, then each string with its NUL.
class CNameList
{
public:
  CNameList(FILE* pFile, bool bWrite) : m_nCount(0), m_pFile(pFile), m_bWrite(bWrite) {}
  void Add(const CString& str)
  {
    ++m_nCount;
    if (m_bWrite)
      fwrite(static_cast<const char*>(str), 1, static_cast<size_t>(str.GetLength()) + 1, m_pFile);
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
    list.Add(pList[i].linkPath);
}

// What the file records: setup's data, and for a stopped installation the
// earlier record's names that the new one does not repeat.
struct CRecordSource
{
  const CSetupData& data;
  const UninstallData* pEarlier;
  int32_t nFiles;  // the leading rows of the file table that are recorded

  bool RecordsFile(const char* lpszName) const
  {
    for (int32_t i = 0; i < nFiles; ++i)
      if (data.m_pFiles[i].name == lpszName)
        return true;
    return false;
  }
};

// The lists in file order; called once to count and once to write.
void AddFiles(CNameList& list, const CRecordSource& src)
{
  for (int32_t i = 0; i < src.nFiles; ++i)
    list.Add(src.data.m_pFiles[i].name);
  if (src.pEarlier)
    for (int32_t i = 0; i < src.pEarlier->m_nInstalled; ++i)
      if (!src.RecordsFile(src.pEarlier->m_pInstalled[i]))
        list.Add(src.pEarlier->m_pInstalled[i]);
}
void AddLinks(CNameList& list, const CRecordSource& src)
{
  AddShortcuts(list, src.data.m_pShortcuts, src.data.m_nShortcuts);
  AddShortcuts(list, src.data.m_pStartupShortcuts, src.data.m_nStartupShortcuts);
  AddShortcuts(list, src.data.m_pDesktopShortcuts, src.data.m_nDesktopShortcuts);
  if (src.pEarlier)
    for (int32_t i = 0; i < src.pEarlier->m_nLinks; ++i)
      list.Add(src.pEarlier->m_pLinks[i]);
}
void AddGenerated(CNameList& list, const CRecordSource& src)
{
  for (int32_t i = 0; i < src.data.m_nGeneratedFiles; ++i)
    list.Add(*src.data.m_ppGeneratedFiles[i]);
  if (src.pEarlier)
    for (int32_t i = 0; i < src.pEarlier->m_nGenerated; ++i)
      if (!src.data.HasGeneratedFile(src.pEarlier->m_pGenerated[i]))
        list.Add(src.pEarlier->m_pGenerated[i]);
}

void WriteList(FILE* pFile, const CRecordSource& src, void (*pfnAdd)(CNameList&, const CRecordSource&))
{
  CNameList counter(pFile, false);
  pfnAdd(counter, src);
  PutInt32(pFile, counter.m_nCount);
  CNameList writer(pFile, true);
  pfnAdd(writer, src);
}
}  // namespace

BOOL WriteUninstallData(const CSetupData& data, const char* lpszPath, int32_t nFlags, const UninstallData* pEarlier,
                        int32_t nFiles)
{
  if (nFiles < 0 || nFiles > data.m_nFiles)
    nFiles = data.m_nFiles;
  const CRecordSource src = {data, pEarlier, nFiles};
  FILE* pFile = OpenFileStream(lpszPath, "wb");
  if (pFile == NULL)
    return TRUE;
  fwrite(kUninstallMagic, 1, sizeof(kUninstallMagic), pFile);
  fwrite(static_cast<const char*>(data.m_strAppName), 1, static_cast<size_t>(data.m_strAppName.GetLength()) + 1, pFile);
  WriteList(pFile, src, AddFiles);
  WriteList(pFile, src, AddLinks);
  WriteList(pFile, src, AddGenerated);
  PutInt32(pFile, nFlags);
  // A file that could not be written whole is a failure too, not a success.
  bool bWritten = ferror(pFile) == 0;
  return fclose(pFile) == 0 && bWritten ? FALSE : TRUE;
}
