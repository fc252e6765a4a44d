#include "setup/ScriptText.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

const char* CScriptText::ReadLine(const char* pPos, CString& strOut) const
{
  if (pPos == NULL)
    return NULL;
  const char* pCR = strchr(pPos, '\r');
  if (pCR == NULL)
    return NULL;
  strOut = CString(pPos, (int)(pCR - pPos));
  return pCR[1] == '\n' ? pCR + 2 : pCR + 1;
}

const char* CScriptText::FindKeyContent(const char* lpszKey) const
{
  const char* pKey = strstr(m_pszText, lpszKey);
  if (pKey == NULL)
    return NULL;
  const char* pLF = strchr(pKey, '\n');
  return pLF ? pLF + 1 : NULL;
}

const char* CScriptText::ReadKeyLine(const char* lpszKey, CString& strOut) const
{
  return ReadLine(FindKeyContent(lpszKey), strOut);
}

BOOL CScriptText::ReadBlock(const char* lpszKey, CString& strOut) const
{
  if (strstr(m_pszText, lpszKey) == NULL)
    return TRUE;
  const char* pStart = FindKeyContent(lpszKey);
  if (pStart == NULL)
    return FALSE;  // the key stands on the last line: nothing follows it
  const char* pEnd = strchr(pStart, '#');
  if (pEnd == NULL)
    pEnd = pStart + strlen(pStart);
  strOut = CString(pStart, (int)(pEnd - pStart));
  return FALSE;
}

BOOL CScriptText::ReadStringList(const char* lpszKey, CString**& ppList, int32_t& nCount) const
{
  ppList = NULL;
  nCount = 0;
  if (strstr(m_pszText, lpszKey) == NULL)
    return TRUE;
  int32_t nCapacity = 0;
  CString strLine;
  const char* pNext = ReadKeyLine(lpszKey, strLine);
  while (pNext != NULL && strLine.GetAt(0) != '#') {
    // A failed allocation ends the list where it is.
    if (!MakeRoomByDoubling(ppList, nCount, nCapacity, 8))
      break;
    ppList[nCount++] = new CString(strLine);
    pNext = ReadLine(pNext, strLine);
  }
  return FALSE;
}

void CScriptText::FreeStringList(CString**& ppList, int32_t& nCount)
{
  for (int32_t i = 0; i < nCount; ++i)
    delete ppList[i];
  free(ppList);
  ppList = NULL;
  nCount = 0;
}
