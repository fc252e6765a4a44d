// CRegKey: an open registry key that closes itself on every path out of the
// scope that holds it, and the only way the programs read and write the
// registry. Header-only and without exceptions, so that the uninstaller
// uses it as setup does; its members are inlined where they are used, as
// the bare calls were, so that the programs do not grow.
//
// Failure convention: Open and Create return the system's error code
// (ERROR_SUCCESS), the value calls true when they did what they say.
#pragma once
#include <windows.h>
#include <string.h>

#define REGKEY_INLINE inline __attribute__((always_inline))

class CRegKey
{
public:
  CRegKey() : m_hKey(NULL) {}
  REGKEY_INLINE ~CRegKey() { Close(); }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;

  // The existing key lpszName below hParent. A key held before is closed
  // first. ERROR_SUCCESS, or the system's error with no key held.
  REGKEY_INLINE LONG Open(HKEY hParent, const char* lpszName, REGSAM nAccess)
  {
    Close();
    const LONG nResult = ::RegOpenKeyExA(hParent, lpszName, 0, nAccess, &m_hKey);
    if (nResult != ERROR_SUCCESS)
      m_hKey = NULL;
    return nResult;
  }

  // The key lpszName below hParent, made when it is missing; as Open.
  REGKEY_INLINE LONG Create(HKEY hParent, const char* lpszName, REGSAM nAccess)
  {
    Close();
    const LONG nResult = ::RegCreateKeyExA(hParent, lpszName, 0, NULL, 0, nAccess, NULL, &m_hKey, NULL);
    if (nResult != ERROR_SUCCESS)
      m_hKey = NULL;
    return nResult;
  }

  REGKEY_INLINE void Close()
  {
    if (m_hKey != NULL)
      ::RegCloseKey(m_hKey);
    m_hKey = NULL;
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

  // A REG_DWORD value; false for another type or a missing one.
  REGKEY_INLINE bool QueryDword(const char* lpszName, DWORD& nValue) const
  {
    DWORD nType = 0;
    DWORD nSize = sizeof(nValue);
    return ::RegQueryValueExA(m_hKey, lpszName, NULL, &nType, reinterpret_cast<BYTE*>(&nValue), &nSize) ==
               ERROR_SUCCESS &&
           nType == REG_DWORD;
  }

  // A REG_SZ value, stored with its NUL.
  REGKEY_INLINE bool SetString(const char* lpszName, const char* lpszValue)
  {
    return ::RegSetValueExA(m_hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(strlen(lpszValue) + 1)) == ERROR_SUCCESS;
  }

  // A REG_SZ value whose name or text the ANSI code page may lack.
  REGKEY_INLINE bool SetWideString(const WCHAR* lpszName, const WCHAR* lpszValue)
  {
    return ::RegSetValueExW(m_hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>((::lstrlenW(lpszValue) + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
  }

  REGKEY_INLINE bool SetDword(const char* lpszName, DWORD nValue)
  {
    return ::RegSetValueExA(m_hKey, lpszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nValue), sizeof(nValue)) ==
           ERROR_SUCCESS;
  }

  // The text of value nIndex (0, 1, ...) into nSize bytes, always terminated.
  // ERROR_NO_MORE_ITEMS past the last value; ERROR_SUCCESS with *pnType set
  // otherwise; another code for a value that does not fit.
  REGKEY_INLINE LONG EnumText(DWORD nIndex, char* pszName, DWORD nNameSize, char* pszText, DWORD nSize,
                              DWORD* pnType) const
  {
    DWORD nBytes = nSize - 1;
    const LONG nResult =
        ::RegEnumValueA(m_hKey, nIndex, pszName, &nNameSize, NULL, pnType, reinterpret_cast<BYTE*>(pszText), &nBytes);
    if (nResult == ERROR_SUCCESS)
      pszText[nBytes] = '\0';
    return nResult;
  }

  // Deletes the key lpszName below hParent, which must have no subkeys.
  static REGKEY_INLINE bool DeleteKey(HKEY hParent, const char* lpszName)
  {
    return ::RegDeleteKeyA(hParent, lpszName) == ERROR_SUCCESS;
  }

  operator HKEY() const { return m_hKey; }

private:
  HKEY m_hKey;
};
