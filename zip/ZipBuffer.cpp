#include "zip/ZipBuffer.h"

CZipBuffer::CZipBuffer(const CZipBuffer& other) : m_pBlock(NULL), m_nSize(0) { *this = other; }

CZipBuffer& CZipBuffer::operator=(const CZipBuffer& other)
{
  if (this == &other)
    return *this;
  Allocate(other.m_nSize);
  if (m_nSize)
    memcpy(m_pBlock, other.m_pBlock, m_nSize);
  return *this;
}

uint8_t* CZipBuffer::Allocate(uint32_t nSize, bool bZero)
{
  if (nSize != m_nSize) {
    Release();
    if (nSize) {
      m_pBlock = new uint8_t[nSize];
      m_nSize = nSize;
    }
  }
  if (bZero && m_pBlock)
    memset(m_pBlock, 0, m_nSize);
  return m_pBlock;
}

void CZipBuffer::Release()
{
  delete[] m_pBlock;
  m_pBlock = NULL;
  m_nSize = 0;
}
