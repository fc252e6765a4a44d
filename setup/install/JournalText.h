// The journal's lines as text: fields that hold any name (a tab, a line
// break and '%' are escaped as %XX), registry data as hexadecimal, and the
// records read back from a journal that may end in a line cut short.
// Portable, so that it is tested natively.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "framework/String.h"

CString EscapeJournalField(const char* lpszField);
CString HexText(const uint8_t* pData, size_t nBytes);
// The bytes of HexText's text into a buffer of the C heap (free it);
// false for text that is no such form.
bool BytesFromHex(const char* lpszHex, uint8_t*& pData, size_t& nBytes);

// Whether lpszPath lies inside lpszFolder (not the folder itself).
bool IsBelow(const char* lpszPath, const char* lpszFolder);

struct JournalRecord
{
  enum
  {
    kMaxFields = 5
  };
  CString strTag;
  CString fields[kMaxFields];
  int nFields;
};

// The whole lines of a journal's text, in order; a last line without its
// line break was cut off by a kill and never happened. The count, with
// pRecords an array of DeleteObjectArray's kind, or -1 without memory.
int32_t ParseJournal(const char* pText, size_t nLength, JournalRecord*& pRecords);
