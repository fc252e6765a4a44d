#include "framework/Exception.h"

#include <errno.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CFileException, CException)

void CException::Delete()
{
  if (m_bAutoDelete)
    delete this;
}

CFileException::CFileException(int cause, LONG lOsError, const char* pszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(pszFileName)
{}

int CFileException::OsErrorToException(LONG lOsError)
{
#ifdef _WIN32
  switch (lOsError) {
  case NO_ERROR: return none;
  case ERROR_FILE_NOT_FOUND: return fileNotFound;
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_NAME:
  case ERROR_BAD_PATHNAME:
  case ERROR_INVALID_DRIVE:
  case ERROR_FILENAME_EXCED_RANGE:
  case ERROR_DIRECTORY: return badPath;
  case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
  case ERROR_ACCESS_DENIED:
  case ERROR_WRITE_PROTECT: return accessDenied;
  case ERROR_INVALID_HANDLE: return invalidFile;
  case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
  case ERROR_CANNOT_MAKE: return directoryFull;
  case ERROR_SEEK:
  case ERROR_NEGATIVE_SEEK: return badSeek;
  case ERROR_SHARING_VIOLATION: return sharingViolation;
  case ERROR_LOCK_VIOLATION: return lockViolation;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL: return diskFull;
  case ERROR_HANDLE_EOF: return endOfFile;
  case ERROR_CRC:
  case ERROR_READ_FAULT:
  case ERROR_WRITE_FAULT:
  case ERROR_GEN_FAILURE: return hardIO;
  default: return genericException;
  }
#else
  switch (lOsError) {
  case 0: return none;
  case ENOENT: return fileNotFound;
  case ENOTDIR:
  case ENAMETOOLONG:
  case EISDIR: return badPath;
  case EMFILE:
  case ENFILE: return tooManyOpenFiles;
  case EACCES:
  case EPERM:
  case EROFS: return accessDenied;
  case EBADF: return invalidFile;
  case ESPIPE:
  case EINVAL: return badSeek;
  case ENOSPC:
  case EFBIG: return diskFull;
  case EIO: return hardIO;
  default: return genericException;
  }
#endif
}

void CFileException::ThrowOsError(LONG lOsError, const char* pszFileName)
{
  throw new CFileException(OsErrorToException(lOsError), lOsError, pszFileName);
}

void CFileException::Throw(int cause, LONG lOsError, const char* pszFileName)
{
  throw new CFileException(cause, lOsError, pszFileName);
}
