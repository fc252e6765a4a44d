#include "framework/String.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

namespace {
int SafeLength(const char* psz) { return psz ? (int)strlen(psz) : 0; }

// Without memory no text can be made, and no program of ours can go on
// usefully: end it here rather than throw, so that strings work in the
// programs built without exception support (the uninstaller).
void* Allocate(size_t nBytes)
{
  void* p = malloc(nBytes);
  if (p == NULL)
    abort();
  return p;
}
}  // namespace

// The shared empty string: never freed, never counted.
CString::EmptyBlock CString::s_empty = {{-1, 0, 0}, {0}};

void CString::Init() { m_pchData = s_empty.header.chars(); }

CString::CString() { Init(); }

CString::CString(const CString& other)
{
  if (other.Data()->nRefs >= 0) {
    m_pchData = other.m_pchData;
    ++Data()->nRefs;
  } else {
    Init();
  }
}

CString::CString(const char* psz)
{
  Init();
  AssignCopy(psz, SafeLength(psz));
}

CString::CString(const char* pch, int nLength)
{
  Init();
  AssignCopy(pch, nLength > 0 ? nLength : 0);
}

CString::CString(char ch, int nRepeat)
{
  Init();
  if (nRepeat > 0) {
    AllocBuffer(nRepeat);
    memset(m_pchData, ch, (size_t)nRepeat);
  }
}

CString::~CString() { Release(); }

void CString::AllocBuffer(int nLen)
{
  if (nLen == 0) {
    Init();
    return;
  }
  StringData* p = static_cast<StringData*>(Allocate(sizeof(StringData) + (size_t)nLen + 1));
  p->nRefs = 1;
  p->nLength = nLen;
  p->nAlloc = nLen;
  p->chars()[nLen] = 0;
  m_pchData = p->chars();
}

void CString::Release()
{
  StringData* p = Data();
  if (p->nRefs >= 0 && --p->nRefs == 0)
    free(p);
  Init();
}

void CString::Empty() { Release(); }

void CString::AssignCopy(const char* pch, int nLen)
{
  // pch may point into our own buffer, so build first and release after.
  CString copy;
  if (nLen > 0) {
    copy.AllocBuffer(nLen);
    memcpy(copy.m_pchData, pch, (size_t)nLen);
  }
  Release();
  m_pchData = copy.m_pchData;
  copy.Init();
}

void CString::CopyBeforeWrite()
{
  if (Data()->nRefs > 1) {
    CString copy(m_pchData, GetLength());
    Release();
    m_pchData = copy.m_pchData;
    copy.Init();
  }
}

CString& CString::operator=(const CString& other)
{
  if (m_pchData != other.m_pchData) {
    if (other.Data()->nRefs < 0) {
      Release();
    } else {
      Release();
      m_pchData = other.m_pchData;
      ++Data()->nRefs;
    }
  }
  return *this;
}

CString& CString::operator=(const char* psz)
{
  AssignCopy(psz, SafeLength(psz));
  return *this;
}

void CString::ConcatInPlace(const char* pch, int nLen)
{
  if (nLen <= 0)
    return;
  int old = GetLength();
  if (Data()->nRefs == 1 && old + nLen <= Data()->nAlloc) {
    memmove(m_pchData + old, pch, (size_t)nLen);
    Data()->nLength = old + nLen;
    m_pchData[old + nLen] = 0;
    return;
  }
  // Grow by half again, so that appending in a loop stays linear.
  int want = old + nLen;
  int alloc = want + want / 2;
  StringData* p = static_cast<StringData*>(Allocate(sizeof(StringData) + (size_t)alloc + 1));
  p->nRefs = 1;
  p->nLength = want;
  p->nAlloc = alloc;
  memcpy(p->chars(), m_pchData, (size_t)old);
  memcpy(p->chars() + old, pch, (size_t)nLen);
  p->chars()[want] = 0;
  p->chars()[alloc] = 0;
  Release();
  m_pchData = p->chars();
}

CString& CString::operator+=(const CString& other)
{
  CString keep(other);  // other may be *this
  ConcatInPlace(keep.m_pchData, keep.GetLength());
  return *this;
}

CString& CString::operator+=(const char* psz)
{
  ConcatInPlace(psz, SafeLength(psz));
  return *this;
}

CString& CString::operator+=(char ch)
{
  ConcatInPlace(&ch, 1);
  return *this;
}

int CString::Compare(const char* psz) const { return strcmp(m_pchData, psz ? psz : ""); }

int CString::Find(char ch, int nStart) const
{
  if (nStart < 0 || nStart >= GetLength())
    return -1;
  const char* p = static_cast<const char*>(memchr(m_pchData + nStart, ch, (size_t)(GetLength() - nStart)));
  return p ? (int)(p - m_pchData) : -1;
}

int CString::Find(const char* pszSub, int nStart) const
{
  if (nStart < 0 || nStart > GetLength())
    return -1;
  const char* p = strstr(m_pchData + nStart, pszSub ? pszSub : "");
  return p ? (int)(p - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const
{
  for (int i = GetLength() - 1; i >= 0; --i)
    if (m_pchData[i] == ch)
      return i;
  return -1;
}

CString CString::Left(int nCount) const
{
  if (nCount < 0)
    nCount = 0;
  if (nCount >= GetLength())
    return *this;
  return CString(m_pchData, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const
{
  if (nFirst < 0)
    nFirst = 0;
  if (nFirst > GetLength())
    nFirst = GetLength();
  if (nCount < 0)
    nCount = 0;
  if (nCount > GetLength() - nFirst)
    nCount = GetLength() - nFirst;
  return CString(m_pchData + nFirst, nCount);
}

char* CString::GetBuffer(int nMinLength)
{
  if (nMinLength < GetLength())
    nMinLength = GetLength();
  if (Data()->nRefs > 1 || Data()->nRefs < 0 || nMinLength > Data()->nAlloc) {
    int old = GetLength();
    StringData* p = static_cast<StringData*>(Allocate(sizeof(StringData) + (size_t)nMinLength + 1));
    p->nRefs = 1;
    p->nLength = old;
    p->nAlloc = nMinLength;
    memcpy(p->chars(), m_pchData, (size_t)old + 1);
    p->chars()[nMinLength] = 0;
    Release();
    m_pchData = p->chars();
  }
  return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
  if (Data()->nRefs < 0)
    return;
  if (nNewLength < 0) {
    // A buffer filled to its capacity still ends in the NUL kept behind it.
    const char* end = static_cast<const char*>(memchr(m_pchData, 0, (size_t)Data()->nAlloc + 1));
    nNewLength = end ? (int)(end - m_pchData) : Data()->nAlloc;
  }
  if (nNewLength > Data()->nAlloc)
    nNewLength = Data()->nAlloc;
  Data()->nLength = nNewLength;
  m_pchData[nNewLength] = 0;
}

void CString::Format(const char* pszFormat, ...)
{
  va_list args;
  va_start(args, pszFormat);
  va_list again;
  va_copy(again, args);
  int n = FormatToV(NULL, 0, pszFormat, args);
  va_end(args);
  if (n <= 0) {
    va_end(again);
    Empty();
    return;
  }
  CString result;
  result.AllocBuffer(n);
  FormatToV(result.m_pchData, (size_t)n + 1, pszFormat, again);
  va_end(again);
  *this = result;
}

int FormatToV(char* pszOut, size_t nOutSize, const char* pszFormat, va_list args)
{
#ifdef _WIN32
  // _vsnprintf leaves a text that fills the buffer unterminated and says
  // -1 when it is cut; _vscprintf tells the whole length.
  va_list again;
  va_copy(again, args);
  int n = _vscprintf(pszFormat, args);
  if (n >= 0 && nOutSize > 0) {
    _vsnprintf(pszOut, nOutSize, pszFormat, again);
    pszOut[(size_t)n < nOutSize ? (size_t)n : nOutSize - 1] = 0;
  } else if (nOutSize > 0) {
    pszOut[0] = 0;
  }
  va_end(again);
  return n;
#else
  return vsnprintf(pszOut, nOutSize, pszFormat, args);
#endif
}

int FormatTo(char* pszOut, size_t nOutSize, const char* pszFormat, ...)
{
  va_list args;
  va_start(args, pszFormat);
  int n = FormatToV(pszOut, nOutSize, pszFormat, args);
  va_end(args);
  return n;
}

CString operator+(const CString& a, const CString& b)
{
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char* b)
{
  CString r(a);
  r += b;
  return r;
}
CString operator+(const char* a, const CString& b)
{
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, char b)
{
  CString r(a);
  r += b;
  return r;
}
