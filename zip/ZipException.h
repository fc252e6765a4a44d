// The archive reader's error: a cause number and the archive's path.
//
// Failure convention of the reader: what it cannot express as a false or
// negative result (see each operation) it throws, as a pointer to a
// CZipException with a cause, or to the framework's CFileException from
// the file layer. The catcher owns the pointer and calls Delete.
#pragma once
#include "framework/afx.h"

class CZipException : public CException
{
  DECLARE_DYNAMIC(CZipException)
public:
  enum
  {
    unknownCause = 1,
    inflateStreamEnd,
    inflateNeedsDictionary,
    inflateErrno,
    inflateStreamError,
    inflateDataError,
    inflateMemoryError,
    inflateBufferError,
    inflateVersionError,
    corruptArchive,
    checksumMismatch,
    removableSpanUnsupported,
    unsafeEntryName,   // a name that would leave the target directory
    archiveReadError,  // the archive's own file could not be read
    reserved15,
    reserved16,
    reserved17,
    endRecordMissing
  };

  CZipException(int nCause = unknownCause, const char* lpszArchive = NULL);
  ~CZipException() override;

  CString m_strArchive;
  int m_nCause;
};

// The reader's internal codes: zlib's return codes and these.
enum
{
  ZIP_CODE_CORRUPT = -101,
  ZIP_CODE_CHECKSUM = -102,
  ZIP_CODE_REMOVABLE_SPAN = -103,
  ZIP_CODE_UNSAFE_NAME = -104,
  ZIP_CODE_READ_ERROR = -105,
  // Codes of causes 15 to 17, which nothing raises.
  ZIP_CODE_RESERVED_15 = -106,
  ZIP_CODE_RESERVED_16 = -107,
  ZIP_CODE_RESERVED_17 = -108,
  ZIP_CODE_NO_END_RECORD = -109
};

int ZipCodeToCause(int nCode);
[[noreturn]] void RaiseZipError(int nCode, const char* lpszArchive);
