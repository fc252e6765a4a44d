// CScriptText: the read-only scanner over the setup script. Its four reading
// operations are the script's syntax: lines end at CR (a LF right after it
// belongs to the break), a key is found by a plain substring search, and a
// list or block ends at the next '#'.
#pragma once
#include "framework/afx.h"

class CScriptText
{
public:
  explicit CScriptText(const char* pszText) : m_pszText(pszText) {}
  virtual ~CScriptText() {}

  // The line at pPos into strOut; the position after its line break, or NULL
  // (strOut unchanged) when no CR follows.
  const char* ReadLine(const char* pPos, CString& strOut) const;
  // The line after the key's line; NULL (strOut unchanged) when the key or
  // that line is missing.
  const char* ReadKeyLine(const char* lpszKey, CString& strOut) const;
  // Everything from the line after the key's line up to the next '#'.
  // TRUE when the key is missing.
  BOOL ReadBlock(const char* lpszKey, CString& strOut) const;
  // The lines after the key's line up to one that begins with '#'; the
  // caller owns the strings and the array (FreeStringList). TRUE when the key
  // is missing.
  BOOL ReadStringList(const char* lpszKey, CString**& ppList, int32_t& nCount) const;

  // Where the content of a key starts: just past the first LF after the key's
  // first occurrence. NULL when the key or that LF is missing.
  const char* FindKeyContent(const char* lpszKey) const;

  static void FreeStringList(CString**& ppList, int32_t& nCount);

  const char* m_pszText;
};
