#include "setup/SetupData.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "framework/os/ObjectArray.h"
#include "setup/ScriptText.h"

namespace {
// The arguments follow the first blank behind the first '.'.
void SplitTargetLine(const CString& strLine, ShortcutEntry& entry)
{
  const char* psz = strLine;
  const char* pDot = strchr(psz, '.');
  const char* pBlank = pDot ? strchr(pDot, ' ') : NULL;
  if (pBlank != NULL) {
    entry.arguments = pBlank + 1;
    entry.target = CString(psz, (int)(pBlank - psz));
  } else {
    entry.target = strLine;
  }
}
}  // namespace

CSetupData::CSetupData()
    : m_pImage(NULL), m_nImageSize(0), m_strAppName("Application"), m_pFiles(NULL), m_nFiles(0), m_pShortcuts(NULL),
      m_pStartupShortcuts(NULL), m_pDesktopShortcuts(NULL), m_nShortcuts(0), m_nStartupShortcuts(0),
      m_nDesktopShortcuts(0), m_ppGeneratedFiles(NULL), m_nGeneratedFiles(0), m_ppFonts(NULL), m_nFonts(0),
      m_nTotalSize(0), m_bPerUserScript(false), m_bPerUser(false)
{}

CSetupData::~CSetupData()
{
  FreeScriptLists();
  DeleteObjectArray(m_pFiles, m_nFiles);
  free(m_pImage);
}

void CSetupData::FreeScriptLists()
{
  DeleteObjectArray(m_pShortcuts, m_nShortcuts);
  DeleteObjectArray(m_pStartupShortcuts, m_nStartupShortcuts);
  DeleteObjectArray(m_pDesktopShortcuts, m_nDesktopShortcuts);
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
      ShortcutEntry& entry = *new (&pList[nRecords++]) ShortcutEntry();
      SplitTargetLine(strLine, entry);
    } else {
      pList[nRecords - 1].caption = strLine;
      nCount = nRecords;
    }
    ++nLine;
    pNext = script.ReadLine(pNext, strLine);
  }
  // A last target without its caption is not counted: it goes.
  if (nRecords > nCount)
    pList[nCount].~ShortcutEntry();
  if (nCount == 0) {
    free(pList);
    pList = NULL;
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
  // Each is empty unless this script gives it.
  m_strVersion.Empty();
  m_strPublisher.Empty();
  m_strURL.Empty();
  m_strIcon.Empty();
  script.ReadKeyLine("#Version", m_strVersion);
  script.ReadKeyLine("#Publisher", m_strPublisher);
  script.ReadKeyLine("#URL", m_strURL);
  script.ReadKeyLine("#Icon", m_strIcon);
  CString strScope;
  script.ReadKeyLine("#Scope", strScope);
  // "user" in any case; whatever else names the machine, as without the key.
  m_bPerUserScript = strScope.GetLength() == 4 && (strScope[0] | 0x20) == 'u' && (strScope[1] | 0x20) == 's' &&
                     (strScope[2] | 0x20) == 'e' && (strScope[3] | 0x20) == 'r';
}

bool CSetupData::HasFile(const char* lpszName) const
{
  for (int32_t i = 0; i < m_nFiles; ++i)
    if (m_pFiles[i].name == lpszName)
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
  DeleteObjectArray(m_pFiles, m_nFiles);
  m_nTotalSize = 0;
  int32_t nCount = m_archive.GetCount();
  if (nCount <= 0)
    return FALSE;
  m_pFiles = NewObjectArray<FileEntry>(nCount);
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
    row.name = info.GetFileName();
  }
  m_nFiles = nCount;
  m_nTotalSize = nTotal > INT32_MAX ? INT32_MAX : (int32_t)nTotal;
  return FALSE;
}
