#include "zip/ZipException.h"

#include <zlib.h>

IMPLEMENT_DYNAMIC(CZipException, CException)

CZipException::CZipException(int nCause, const char* lpszArchive)
    : CException(TRUE), m_strArchive(lpszArchive), m_nCause(nCause)
{}

CZipException::~CZipException() {}

int ZipCodeToCause(int nCode)
{
  switch (nCode) {
  case Z_STREAM_END: return CZipException::inflateStreamEnd;
  case Z_NEED_DICT: return CZipException::inflateNeedsDictionary;
  case Z_ERRNO: return CZipException::inflateErrno;
  case Z_STREAM_ERROR: return CZipException::inflateStreamError;
  case Z_DATA_ERROR: return CZipException::inflateDataError;
  case Z_MEM_ERROR: return CZipException::inflateMemoryError;
  case Z_BUF_ERROR: return CZipException::inflateBufferError;
  case Z_VERSION_ERROR: return CZipException::inflateVersionError;
  case ZIP_CODE_CORRUPT: return CZipException::corruptArchive;
  case ZIP_CODE_CHECKSUM: return CZipException::checksumMismatch;
  case ZIP_CODE_REMOVABLE_SPAN: return CZipException::removableSpanUnsupported;
  case ZIP_CODE_UNSAFE_NAME: return CZipException::unsafeEntryName;
  case ZIP_CODE_READ_ERROR: return CZipException::archiveReadError;
  case ZIP_CODE_RESERVED_15: return CZipException::reserved15;
  case ZIP_CODE_RESERVED_16: return CZipException::reserved16;
  case ZIP_CODE_RESERVED_17: return CZipException::reserved17;
  case ZIP_CODE_NO_END_RECORD: return CZipException::endRecordMissing;
  default: return CZipException::unknownCause;
  }
}

void RaiseZipError(int nCode, const char* lpszArchive) { throw new CZipException(ZipCodeToCause(nCode), lpszArchive); }
