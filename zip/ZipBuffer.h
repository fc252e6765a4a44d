// CZipBuffer: an owned block of bytes for names, extra fields, comments and
// read buffers.
#pragma once
#include "framework/Platform.h"

class CZipBuffer
{
public:
  CZipBuffer() : m_pBlock(NULL), m_nSize(0) {}
  CZipBuffer(const CZipBuffer& other);
  CZipBuffer& operator=(const CZipBuffer& other);
  virtual ~CZipBuffer() { Release(); }

  uint8_t* Allocate(uint32_t nSize, bool bZero = false);
  void Release();

  uint8_t* GetBuffer() const { return m_pBlock; }
  uint32_t GetSize() const { return m_nSize; }
  bool IsEmpty() const { return m_nSize == 0; }

private:
  uint8_t* m_pBlock;
  uint32_t m_nSize;
};
