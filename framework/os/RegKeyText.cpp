// CRegKey's text values: read into a buffer of the value's own size.
#ifdef _WIN32
#include "framework/os/RegKey.h"

#include <stdlib.h>

bool CRegKey::QueryText(const char* lpszName, CString& strText, DWORD* pnType) const
{
  strText.Empty();
  const CWideText name(lpszName);
  DWORD nType = 0;
  DWORD nBytes = 0;
  if (::RegQueryValueExW(m_hKey, name, NULL, &nType, NULL, &nBytes) != ERROR_SUCCESS)
    return false;
  if (pnType != NULL)
    *pnType = nType;
  if (nType != REG_SZ && nType != REG_EXPAND_SZ)
    return false;
  // Room for a NUL the value may lack, and for a value that grew meanwhile.
  DWORD nRoom = nBytes + 2 * sizeof(WCHAR);
  WCHAR* pValue = static_cast<WCHAR*>(malloc(nRoom));
  if (pValue == NULL)
    return false;
  nBytes = nRoom - sizeof(WCHAR);
  const bool bRead =
      ::RegQueryValueExW(m_hKey, name, NULL, NULL, reinterpret_cast<BYTE*>(pValue), &nBytes) == ERROR_SUCCESS;
  if (bRead) {
    int nUnits = static_cast<int>(nBytes / sizeof(WCHAR));
    while (nUnits > 0 && pValue[nUnits - 1] == L'\0')
      --nUnits;
    strText = Utf8FromWide(pValue, nUnits);
  }
  free(pValue);
  return bRead;
}
#endif
