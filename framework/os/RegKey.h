// CRegKey: an open registry key that closes itself on every path out of the
// scope that holds it, and the only way the programs read and write the
// registry. Names and texts are the programs' own (UTF-8); the registry
// holds them as UTF-16, so a name in any script shows in the list of
// installed programs. Header-only and without exceptions, so that the
// uninstaller uses it as setup does; its members are inlined where they are
// used, as the bare calls were, so that the programs import only what
// they call.
//
// Failure convention: Open and Create return the system's error code
// (ERROR_SUCCESS), the value calls true when they did what they say.
#pragma once
#include <windows.h>

#include "framework/String.h"
#include "framework/os/Unicode.h"

#define REGKEY_INLINE inline __attribute__((noinline))

// A key below hRoot (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE) as logs and
// messages name it.
inline CString RootedKeyName(HKEY hRoot, const char* lpszKey)
{
  return CString(hRoot == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\") + lpszKey;
}

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
    const LONG nResult = ::RegOpenKeyExW(hParent, CWideText(lpszName), 0, nAccess, &m_hKey);
    if (nResult != ERROR_SUCCESS)
      m_hKey = NULL;
    return nResult;
  }

  // The key lpszName below hParent, made when it is missing; as Open.
  REGKEY_INLINE LONG Create(HKEY hParent, const char* lpszName, REGSAM nAccess)
  {
    Close();
    const LONG nResult = ::RegCreateKeyExW(hParent, CWideText(lpszName), 0, NULL, 0, nAccess, NULL, &m_hKey, NULL);
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

  // The value lpszName as text (a value stored without its terminating NUL
  // gets one). false, with strText empty, when it is missing or is no text
  // (REG_SZ or REG_EXPAND_SZ); pnType, when given, receives its type.
  bool QueryText(const char* lpszName, CString& strText, DWORD* pnType = NULL) const;

  // A REG_DWORD value; false for another type or a missing one.
  REGKEY_INLINE bool QueryDword(const char* lpszName, DWORD& nValue) const
  {
    DWORD nType = 0;
    DWORD nSize = sizeof(nValue);
    return ::RegQueryValueExW(m_hKey, CWideText(lpszName), NULL, &nType, reinterpret_cast<BYTE*>(&nValue), &nSize) ==
               ERROR_SUCCESS &&
           nType == REG_DWORD;
  }

  // A REG_SZ value, stored with its NUL.
  REGKEY_INLINE bool SetString(const char* lpszName, const char* lpszValue)
  {
    const CWideText value(lpszValue);
    return ::RegSetValueExW(m_hKey, CWideText(lpszName), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(static_cast<const WCHAR*>(value)),
                            static_cast<DWORD>((value.Length() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
  }

  REGKEY_INLINE bool SetDword(const char* lpszName, DWORD nValue)
  {
    return ::RegSetValueExW(m_hKey, CWideText(lpszName), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nValue),
                            sizeof(nValue)) == ERROR_SUCCESS;
  }

  // A value as it is stored: its type and bytes. pData NULL asks for the
  // size alone. ERROR_SUCCESS, ERROR_FILE_NOT_FOUND for a missing value,
  // ERROR_MORE_DATA when nBytes is too small (nBytes then says how many).
  REGKEY_INLINE LONG QueryRaw(const char* lpszName, DWORD& nType, BYTE* pData, DWORD& nBytes) const
  {
    return ::RegQueryValueExW(m_hKey, CWideText(lpszName), NULL, &nType, pData, &nBytes);
  }

  REGKEY_INLINE bool SetRaw(const char* lpszName, DWORD nType, const BYTE* pData, DWORD nBytes)
  {
    return ::RegSetValueExW(m_hKey, CWideText(lpszName), 0, nType, pData, nBytes) == ERROR_SUCCESS;
  }

  // true when the value is gone, also when it was not there.
  REGKEY_INLINE bool DeleteValue(const char* lpszName)
  {
    const LONG nResult = ::RegDeleteValueW(m_hKey, CWideText(lpszName));
    return nResult == ERROR_SUCCESS || nResult == ERROR_FILE_NOT_FOUND;
  }

  // Value nIndex (0, 1, ...): its name, and its data when it is text.
  // ERROR_NO_MORE_ITEMS past the last value; ERROR_SUCCESS with *pnType set
  // otherwise.
  LONG EnumText(DWORD nIndex, CString& strName, CString& strText, DWORD* pnType) const;

  // Deletes the key lpszName below hParent, which must have no subkeys.
  // ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when there is no such key, or the
  // system's error with the key still there.
  static REGKEY_INLINE LONG DeleteKey(HKEY hParent, const char* lpszName)
  {
    return ::RegDeleteKeyW(hParent, CWideText(lpszName));
  }

  operator HKEY() const { return m_hKey; }

private:
  HKEY m_hKey;
};
