// CRegKey's walk over a key's values.
#ifdef _WIN32
#include "framework/os/RegKey.h"

#include <stdlib.h>

LONG CRegKey::EnumText(DWORD nIndex, CString& strName, CString& strText, DWORD* pnType) const
{
  strName.Empty();
  strText.Empty();
  DWORD nNameUnits = 0, nDataBytes = 0;
  LONG nResult = ::RegQueryInfoKeyW(m_hKey, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &nNameUnits, &nDataBytes, NULL,
                                    NULL);
  if (nResult != ERROR_SUCCESS)
    return nResult;
  ++nNameUnits;
  nDataBytes += 2 * sizeof(WCHAR);
  WCHAR* pName = static_cast<WCHAR*>(malloc(nNameUnits * sizeof(WCHAR)));
  WCHAR* pData = static_cast<WCHAR*>(malloc(nDataBytes));
  if (pName == NULL || pData == NULL) {
    free(pName);
    free(pData);
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  DWORD nType = 0;
  DWORD nBytes = nDataBytes - sizeof(WCHAR);
  nResult = ::RegEnumValueW(m_hKey, nIndex, pName, &nNameUnits, NULL, &nType, reinterpret_cast<BYTE*>(pData), &nBytes);
  if (nResult == ERROR_SUCCESS) {
    *pnType = nType;
    strName = Utf8FromWide(pName, static_cast<int>(nNameUnits));
    if (nType == REG_SZ || nType == REG_EXPAND_SZ) {
      int nUnits = static_cast<int>(nBytes / sizeof(WCHAR));
      while (nUnits > 0 && pData[nUnits - 1] == L'\0')
        --nUnits;
      strText = Utf8FromWide(pData, nUnits);
    }
  }
  free(pName);
  free(pData);
  return nResult;
}
#endif
