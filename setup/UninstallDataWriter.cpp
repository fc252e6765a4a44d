#include "setup/UninstallDataWriter.h"

#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {
// The readers take an application name of up to 254 bytes and paths of up
// to 258 bytes whole; a longer string would shift every field behind it.
const size_t kMaxAppName = 254;
const size_t kMaxPath = 258;

void PutInt32(std::string& out, int32_t n)
{
  uint32_t u = (uint32_t)n;
  for (int i = 0; i < 4; ++i)
    out += (char)((u >> (8 * i)) & 0xFF);
}

void PutString(std::string& out, const char* psz, size_t nLen)
{
  out.append(psz, nLen);
  out += '\0';
}

// A list keeps only the names the readers can take whole: a cut name could
// name some other file, and an uninstaller must delete only what was installed.
struct NameList
{
  std::vector<std::pair<const char*, size_t>> names;
  void Add(const char* psz, size_t nMax)
  {
    size_t nLen = strnlen(psz, nMax + 1);
    if (nLen <= kMaxPath)
      names.push_back(std::make_pair(psz, nLen));
  }
  void WriteTo(std::string& out) const
  {
    PutInt32(out, (int32_t)names.size());
    for (const auto& name : names)
      PutString(out, name.first, name.second);
  }
};

void AddShortcuts(NameList& list, const ShortcutEntry* pList, int32_t nCount)
{
  for (int32_t i = 0; i < nCount; ++i)
    list.Add(pList[i].linkPath, sizeof(pList[i].linkPath) - 1);
}
}

BOOL WriteUninstallData(const CSetupData& data, const char* lpszPath)
{
  std::string out("SS01", 4);
  size_t nName = (size_t)data.m_strAppName.GetLength();
  PutString(out, data.m_strAppName, nName > kMaxAppName ? kMaxAppName : nName);

  NameList installed, links, generated;
  for (int32_t i = 0; i < data.m_nFiles; ++i)
    installed.Add(data.m_pFiles[i].name, sizeof(data.m_pFiles[i].name) - 1);
  AddShortcuts(links, data.m_pShortcuts, data.m_nShortcuts);
  AddShortcuts(links, data.m_pStartupShortcuts, data.m_nStartupShortcuts);
  AddShortcuts(links, data.m_pDesktopShortcuts, data.m_nDesktopShortcuts);
  for (int32_t i = 0; i < data.m_nGeneratedFiles; ++i) {
    const CString& str = *data.m_ppGeneratedFiles[i];
    generated.Add(str, (size_t)str.GetLength());
  }
  installed.WriteTo(out);
  links.WriteTo(out);
  generated.WriteTo(out);

#ifdef _WIN32
  FILE* pFile = fopen(lpszPath, "wb");
#else
  char szHost[4096];
  FILE* pFile = fopen(HostPath(lpszPath, szHost, sizeof(szHost)), "wb");
#endif
  if (pFile == NULL)
    return TRUE;
  // A file that could not be written whole is a failure too, not a success.
  bool bWritten = fwrite(out.data(), 1, out.size(), pFile) == out.size();
  bool bClosed = fclose(pFile) == 0;
  return bWritten && bClosed ? FALSE : TRUE;
}
