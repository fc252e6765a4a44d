// CRegKey: an open registry key that closes itself on every path out of the
// scope that holds it. Header-only and without exceptions, so that the
// uninstaller uses it as setup does; its members are inlined where they are
// used, as the bare calls were, so that the programs do not grow.
#pragma once
#include <windows.h>

#define REGKEY_INLINE inline __attribute__((always_inline))

class CRegKey
{
public:
  CRegKey() : m_hKey(NULL) {}
  REGKEY_INLINE ~CRegKey()
  {
    if (m_hKey != NULL)
      ::RegCloseKey(m_hKey);
  }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;

  // The existing key lpszName below hParent, while no key is held.
  // ERROR_SUCCESS, or the system's error with no key held.
  REGKEY_INLINE LONG Open(HKEY hParent, const char* lpszName, REGSAM nAccess)
  {
    HKEY hKey = NULL;
    const LONG nResult = ::RegOpenKeyExA(hParent, lpszName, 0, nAccess, &hKey);
    if (nResult == ERROR_SUCCESS)
      m_hKey = hKey;
    return nResult;
  }

  // The key lpszName below hParent, made when it is missing; as Open.
  REGKEY_INLINE LONG Create(HKEY hParent, const char* lpszName, REGSAM nAccess)
  {
    HKEY hKey = NULL;
    const LONG nResult = ::RegCreateKeyExA(hParent, lpszName, 0, NULL, 0, nAccess, NULL, &hKey, NULL);
    if (nResult == ERROR_SUCCESS)
      m_hKey = hKey;
    return nResult;
  }

  // The value lpszName as text into nSize bytes: at most nSize - 1 of them
  // are read, and a NUL follows, so a value stored without its own gets
  // one. false when it is missing or longer (pszText is then undefined);
  // pnType, when given, receives its type.
  REGKEY_INLINE bool QueryText(const char* lpszName, char* pszText, DWORD nSize, DWORD* pnType = NULL) const
  {
    DWORD nBytes = nSize - 1;
    if (::RegQueryValueExA(m_hKey, lpszName, NULL, pnType, reinterpret_cast<BYTE*>(pszText), &nBytes) != ERROR_SUCCESS)
      return false;
    pszText[nBytes] = '\0';
    return true;
  }

  operator HKEY() const { return m_hKey; }

private:
  HKEY m_hKey;
};
