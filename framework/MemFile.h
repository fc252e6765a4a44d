// CMemFile: a file in memory. Attached to a caller's buffer with a growth
// step of 0 it never grows and never frees that buffer.
#pragma once
#include "framework/File.h"

class CMemFile : public CFile
{
  DECLARE_DYNAMIC(CMemFile)
public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);

  // A memory file has no name: opening one by name always fails.
  BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
  void Close() override;
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  LONG Seek(LONG lOff, UINT nFrom) override;
  DWORD GetLength() const override { return m_nFileSize; }
  DWORD GetPosition() const override { return m_nPosition; }

private:
  void GrowFile(DWORD dwNewLen);
  void FreeOwned();

  UINT m_nGrowBytes;
  DWORD m_nPosition;
  DWORD m_nBufferSize;
  DWORD m_nFileSize;
  BYTE* m_lpBuffer;
  bool m_bAutoDelete;  // the buffer is ours to grow and free
};
