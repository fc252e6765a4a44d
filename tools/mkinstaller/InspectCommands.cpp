// mkinstaller list, verify and extract: an installer read with setup's code,
// from the file as setup reads it, an entry at a time in chunks.
#include <stdio.h>
#include <sys/stat.h>
#include <string.h>

#include "tools/mkinstaller/Commands.h"
#include "tools/mkinstaller/Diagnostics.h"
#include "tools/mkinstaller/InstallerFile.h"

namespace {
std::string Text(const CString& str) { return std::string(str, (size_t)str.GetLength()); }

void PrintShortcuts(const char* pszKey, const ShortcutEntry* pList, int32_t nCount)
{
  printf("%s: %d\n", pszKey, nCount);
  for (int32_t i = 0; i < nCount; ++i)
    printf("  target \"%s\" arguments \"%s\" caption \"%s\"\n", (const char*)pList[i].target,
           (const char*)pList[i].arguments, (const char*)pList[i].caption);
}

void PrintStrings(const char* pszKey, CString** ppList, int32_t nCount)
{
  printf("%s: %d\n", pszKey, nCount);
  for (int32_t i = 0; i < nCount; ++i)
    printf("  \"%s\"\n", Text(*ppList[i]).c_str());
}

// A name that stays below the target folder: no drive, no root, no "..".
bool IsSafeName(const std::string& strName)
{
  if (strName.empty() || strName[0] == '\\' || strName.find(':') != std::string::npos)
    return false;
  size_t nStart = 0;
  while (nStart <= strName.size()) {
    size_t nEnd = strName.find('\\', nStart);
    if (nEnd == std::string::npos)
      nEnd = strName.size();
    if (strName.compare(nStart, nEnd - nStart, "..") == 0)
      return false;
    nStart = nEnd + 1;
  }
  return true;
}
}  // namespace

int RunList(const std::string& strInstaller)
{
  CSetupData data;
  CString strAgreement;
  LoadInstaller(data, strAgreement, strInstaller);
  printf("AppName: \"%s\"\n", Text(data.m_strAppName).c_str());
  printf("Language: \"%s\"\n", Text(data.m_strLanguage).c_str());
  printf("DefaultDest: \"%s\"\n", Text(data.m_strDefaultDest).c_str());
  PrintShortcuts("Shortcuts", data.m_pShortcuts, data.m_nShortcuts);
  PrintShortcuts("StartupShortcuts", data.m_pStartupShortcuts, data.m_nStartupShortcuts);
  PrintShortcuts("DesktopShortcuts", data.m_pDesktopShortcuts, data.m_nDesktopShortcuts);
  PrintStrings("GeneratedFiles", data.m_ppGeneratedFiles, data.m_nGeneratedFiles);
  PrintStrings("InstallFonts", data.m_ppFonts, data.m_nFonts);
  printf("Agreement: %d bytes\n", strAgreement.GetLength());
  printf("Entries: %d, %d bytes\n", data.m_nFiles, data.m_nTotalSize);
  for (int32_t i = 0; i < data.m_nFiles; ++i)
    printf("%12d  %s\n", data.m_pFiles[i].size, (const char*)data.m_pFiles[i].name);
  return 0;
}

int RunVerify(const std::string& strInstaller)
{
  CSetupData data;
  CString strAgreement;
  LoadInstaller(data, strAgreement, strInstaller);
  uint64_t nBytes = 0;
  for (int32_t i = 0; i < data.m_nFiles; ++i)
    nBytes += ReadEntryData(data.m_archive, (uint16_t)i, strInstaller, [](const char*, uint32_t) {});
  printf("%s: %d entries, %llu bytes, all checksums match\n", strInstaller.c_str(), data.m_nFiles,
         (unsigned long long)nBytes);
  return 0;
}

int RunExtract(const std::string& strInstaller, const std::string& strDir)
{
  CSetupData data;
  CString strAgreement;
  LoadInstaller(data, strAgreement, strInstaller);
  mkdir(strDir.c_str(), 0777);
  struct stat st;
  if (stat(strDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    Refuse(strDir, "not a folder and cannot be made");
  for (int32_t i = 0; i < data.m_nFiles; ++i) {
    CZipEntryHeader info;
    data.m_archive.GetEntryInfo(info, (uint16_t)i);
    CString strFileName = info.GetFileName();
    std::string strName(strFileName, (size_t)strFileName.GetLength());
    std::string strWhere = strInstaller + ": entry \"" + strName + "\"";
    if (!IsSafeName(strName))
      Refuse(strWhere, "its name leaves the target folder");
    bool bDone = false;
    try {
      bDone = data.m_archive.ExtractFile((uint16_t)i, strDir.c_str(), true, NULL, NULL, NULL, 65535);
    } catch (CException* e) {
      data.m_archive.CloseEntry(NULL, true);
      Refuse(strWhere, DescribeException(e));
    }
    if (!bDone)
      Refuse(strWhere, "could not be extracted");
  }
  printf("%s: %d entries extracted to %s\n", strInstaller.c_str(), data.m_nFiles, strDir.c_str());
  return 0;
}
