#include "setup/SetupData.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "setup/ScriptText.h"

namespace {
// Copies a script line into a fixed field, cut to the field: setup cannot
// refuse a script, the packaging tool refuses over-long lines beforehand.
void CopyField(char* pField, size_t nFieldSize, const char* pSrc, size_t nLen)
{
  if (nLen > nFieldSize - 1)
    nLen = nFieldSize - 1;
  memcpy(pField, pSrc, nLen);
  pField[nLen] = 0;
}

void SplitTargetLine(const CString& strLine, ShortcutEntry& entry)
{
  const char* psz = strLine;
  size_t nTarget = (size_t)strLine.GetLength();
  const char* pDot = strchr(psz, '.');
  const char* pBlank = pDot ? strchr(pDot, ' ') : NULL;
  if (pBlank != NULL) {
    CopyField(entry.arguments, sizeof(entry.arguments), pBlank + 1, strlen(pBlank + 1));
    nTarget = (size_t)(pBlank - psz);
  }
  CopyField(entry.target, sizeof(entry.target), psz, nTarget);
}

void FreeShortcuts(ShortcutEntry*& pList, int32_t& nCount)
{
  free(pList);
  pList = NULL;
  nCount = 0;
}
}  // namespace

CSetupData::CSetupData()
    : m_pImage(NULL), m_nImageSize(0), m_strAppName("Application"), m_pFiles(NULL), m_nFiles(0), m_pShortcuts(NULL),
      m_pStartupShortcuts(NULL), m_pDesktopShortcuts(NULL), m_nShortcuts(0), m_nStartupShortcuts(0),
      m_nDesktopShortcuts(0), m_ppGeneratedFiles(NULL), m_nGeneratedFiles(0), m_ppFonts(NULL), m_nFonts(0),
      m_nTotalSize(0)
{}

CSetupData::~CSetupData()
{
  FreeScriptLists();
  free(m_pFiles);
  free(m_pImage);
}

void CSetupData::FreeScriptLists()
{
  FreeShortcuts(m_pShortcuts, m_nShortcuts);
  FreeShortcuts(m_pStartupShortcuts, m_nStartupShortcuts);
  FreeShortcuts(m_pDesktopShortcuts, m_nDesktopShortcuts);
  CScriptText::FreeStringList(m_ppGeneratedFiles, m_nGeneratedFiles);
  CScriptText::FreeStringList(m_ppFonts, m_nFonts);
}

BOOL CSetupData::ReadShortcutList(CScriptText& script, const char* lpszKey, ShortcutEntry*& pList, int32_t& nCount)
{
  pList = NULL;
  nCount = 0;
  if (strstr(script.m_pszText, lpszKey) == NULL)
    return TRUE;
  int32_t nRecords = 0;  // records made, the last one possibly without caption
  int32_t nCapacity = 0;
  int32_t nLine = 0;
  CString strLine;
  const char* pNext = script.ReadKeyLine(lpszKey, strLine);
  while (pNext != NULL && strLine.GetAt(0) != '#') {
    if (nLine % 2 == 0) {
      if (!MakeRoomByDoubling(pList, nRecords, nCapacity, 4))
        break;
      ShortcutEntry& entry = pList[nRecords++];
      memset(&entry, 0, sizeof(entry));
      SplitTargetLine(strLine, entry);
    } else {
      ShortcutEntry& entry = pList[nRecords - 1];
      CopyField(entry.caption, sizeof(entry.caption), strLine, (size_t)strLine.GetLength());
      nCount = nRecords;
    }
    ++nLine;
    pNext = script.ReadLine(pNext, strLine);
  }
  return FALSE;
}

void CSetupData::ParseScript(const char* pszScript, CString& strAgreement)
{
  FreeScriptLists();
  CScriptText script(pszScript);
  script.ReadKeyLine("#AppName", m_strAppName);
  ReadShortcutList(script, "#Shortcuts", m_pShortcuts, m_nShortcuts);
  ReadShortcutList(script, "#StartupShortcuts", m_pStartupShortcuts, m_nStartupShortcuts);
  ReadShortcutList(script, "#DesktopShortcuts", m_pDesktopShortcuts, m_nDesktopShortcuts);
  script.ReadStringList("#GeneratedFiles", m_ppGeneratedFiles, m_nGeneratedFiles);
  m_strLanguage = "ENG";
  script.ReadKeyLine("#Language", m_strLanguage);
  script.ReadStringList("#InstallFonts", m_ppFonts, m_nFonts);
  m_strDefaultDest = "ProgramFiles";
  script.ReadKeyLine("#DefaultDest", m_strDefaultDest);
  script.ReadBlock("#Agreement", strAgreement);
}

bool CSetupData::HasFile(const char* lpszName) const
{
  for (int32_t i = 0; i < m_nFiles; ++i)
    if (strcmp(m_pFiles[i].name, lpszName) == 0)
      return true;
  return false;
}

bool CSetupData::HasGeneratedFile(const char* lpszName) const
{
  for (int32_t i = 0; i < m_nGeneratedFiles; ++i)
    if (*m_ppGeneratedFiles[i] == lpszName)
      return true;
  return false;
}

BOOL CSetupData::BuildFileTable()
{
  free(m_pFiles);
  m_pFiles = NULL;
  m_nFiles = 0;
  m_nTotalSize = 0;
  int32_t nCount = m_archive.GetCount();
  if (nCount <= 0)
    return FALSE;
  m_pFiles = static_cast<FileEntry*>(calloc((size_t)nCount, sizeof(FileEntry)));
  if (m_pFiles == NULL)
    return TRUE;
  // The total is the progress range and the free-space check: it saturates
  // instead of wrapping on a damaged archive.
  int64_t nTotal = 0;
  for (int32_t i = 0; i < nCount; ++i) {
    CZipEntryHeader info;
    m_archive.GetEntryInfo(info, (uint16_t)i);
    FileEntry& row = m_pFiles[i];
    row.size = info.m_nSize > (uint32_t)INT32_MAX ? INT32_MAX : (int32_t)info.m_nSize;
    nTotal += row.size;
    CString strName = info.GetFileName();
    CopyField(row.name, sizeof(row.name), strName, (size_t)strName.GetLength());
  }
  m_nFiles = nCount;
  m_nTotalSize = nTotal > INT32_MAX ? INT32_MAX : (int32_t)nTotal;
  return FALSE;
}
