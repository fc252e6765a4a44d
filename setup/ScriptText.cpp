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

namespace {
// Appends one string; the array doubles so that long lists stay linear.
// A failed allocation ends the list where it is.
bool AppendString(CString**& ppList, int32_t& nCount, int32_t& nCapacity, const CString& str)
{
  if (nCount == nCapacity) {
    // The doubled size must not wrap: in a 32-bit process it would shrink
    // the array below the strings it holds.
    if (nCapacity > INT32_MAX / 2 || (size_t)nCapacity * 2 > SIZE_MAX / sizeof(CString*))
      return false;
    int32_t nNew = nCapacity ? nCapacity * 2 : 8;
    CString** ppNew = static_cast<CString**>(realloc(ppList, sizeof(CString*) * (size_t)nNew));
    if (ppNew == NULL)
      return false;
    ppList = ppNew;
    nCapacity = nNew;
  }
  ppList[nCount++] = new CString(str);
  return true;
}
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
    if (!AppendString(ppList, nCount, nCapacity, strLine))
      break;
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
