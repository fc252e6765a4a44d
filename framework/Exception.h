// Framework exceptions are thrown as pointers to heap objects; whoever
// catches one ends it with Delete().
#pragma once
#include "framework/Object.h"
#include "framework/String.h"

class CException : public CObject
{
  DECLARE_DYNAMIC(CException)
public:
  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
  void Delete();

  BOOL m_bAutoDelete;
};

class CFileException : public CException
{
  DECLARE_DYNAMIC(CFileException)
public:
  enum
  {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, const char* pszFileName = NULL);

  // The platform's error number (a Win32 error code, or errno on POSIX)
  // turned into a cause.
  static int OsErrorToException(LONG lOsError);
  [[noreturn]] static void ThrowOsError(LONG lOsError, const char* pszFileName = NULL);
  [[noreturn]] static void Throw(int cause, LONG lOsError = -1, const char* pszFileName = NULL);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};
