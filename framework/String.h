// CString: a reference-counted 8-bit string. Copies share one buffer until
// one of them is changed. Comparisons are byte-wise and case-sensitive.
#pragma once
#include "framework/Platform.h"

#include <stdarg.h>

class CString
{
public:
  CString();
  CString(const CString& other);
  CString(const char* psz);
  CString(const char* pch, int nLength);
  CString(char ch, int nRepeat = 1);
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(const char* psz);
  CString& operator+=(const CString& other);
  CString& operator+=(const char* psz);
  CString& operator+=(char ch);

  int GetLength() const { return Data()->nLength; }
  bool IsEmpty() const { return GetLength() == 0; }
  void Empty();
  operator const char*() const { return m_pchData; }
  char GetAt(int nIndex) const { return m_pchData[nIndex]; }
  char operator[](int nIndex) const { return m_pchData[nIndex]; }

  int Compare(const char* psz) const;
  int Find(char ch, int nStart = 0) const;
  int Find(const char* pszSub, int nStart = 0) const;
  int ReverseFind(char ch) const;
  CString Left(int nCount) const;
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;

  // Direct access for C functions that fill a buffer: the buffer holds at
  // least nMinLength characters and, behind them, a NUL. ReleaseBuffer(-1)
  // takes the length up to the first NUL.
  char* GetBuffer(int nMinLength);
  void ReleaseBuffer(int nNewLength = -1);

  void Format(const char* pszFormat, ...)
#ifdef __GNUC__
      __attribute__((format(printf, 2, 3)))
#endif
      ;

private:
  struct StringData
  {
    long nRefs;  // 0 for the shared empty string
    int nLength;
    int nAlloc;
    char* chars() { return reinterpret_cast<char*>(this + 1); }
  };
  struct EmptyBlock
  {
    StringData header;
    char text[sizeof(long)];
  };
  static EmptyBlock s_empty;

  StringData* Data() const { return reinterpret_cast<StringData*>(m_pchData) - 1; }
  void Init();
  void AllocBuffer(int nLen);
  void Release();
  void AssignCopy(const char* pch, int nLen);
  void ConcatInPlace(const char* pch, int nLen);
  void CopyBeforeWrite();

  char* m_pchData;
};

// n in decimal digits, without the C runtime's formatting.
CString DecimalText(long n);

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
inline bool operator==(const CString& a, const CString& b)
{
  return a.GetLength() == b.GetLength() && a.Compare(b) == 0;
}
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const CString& b) { return !(b == a); }

// snprintf as C99 has it, on every platform: the text is cut to fit nOutSize
// bytes and always terminated (when nOutSize > 0); the result is the length
// the whole text needs, negative for a bad format. Windows builds format
// through the system's C runtime (_vscprintf, _vsnprintf), so that MinGW's
// own printf, 25 KB, stays out of the shipped programs: use only what that
// runtime knows too (no %zu, %lld or %hhd).
int FormatTo(char* pszOut, size_t nOutSize, const char* pszFormat, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 3, 4)))
#endif
    ;
int FormatToV(char* pszOut, size_t nOutSize, const char* pszFormat, va_list args);
