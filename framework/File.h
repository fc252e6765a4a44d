// CFile: an unbuffered binary file on the platform's file handle. Failures
// are thrown as CFileException pointers, except from Open, which reports.
#pragma once
#include "framework/Exception.h"
#include "framework/Time.h"

struct CFileStatus
{
  CTime m_ctime;  // creation time
  CTime m_mtime;  // last write time
  CTime m_atime;  // last access time
  LONG m_size;
  BYTE m_attribute;  // MS-DOS attribute bits (CFile::Attribute)
};

class CFile : public CObject
{
  DECLARE_DYNAMIC(CFile)
public:
  enum OpenFlags
  {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeBinary = 0x8000
  };
  enum Attribute
  {
    normal = 0x00,
    readOnly = 0x01,
    hidden = 0x02,
    system = 0x04,
    directory = 0x10,
    archive = 0x20
  };
  enum SeekPosition
  {
    begin = 0,
    current = 1,
    end = 2
  };

  CFile();
  // Opens at once; a failure is thrown.
  CFile(const char* lpszFileName, UINT nOpenFlags);
  ~CFile() override;  // closes, never throws

  virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
  virtual void Close();
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual LONG Seek(LONG lOff, UINT nFrom);
  virtual DWORD GetLength() const;
  virtual DWORD GetPosition() const;
  virtual CString GetFilePath() const;
  virtual void SetFilePath(const char* lpszNewName);

  bool IsOpen() const { return m_hFile != hFileNull; }

  // Sets the times (a zero CTime leaves that time as it is) and the
  // attribute bits of a file by name.
  static void SetStatus(const char* lpszFileName, const CFileStatus& status);
  // Sets the times of this open file the same way, through its handle:
  // no second open by name.
  void SetTimes(const CFileStatus& status);

  static const intptr_t hFileNull = -1;

protected:
  intptr_t m_hFile;  // Win32 HANDLE or POSIX descriptor
  CString m_strFilePath;
};
