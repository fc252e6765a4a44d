#include "zip/ZipEntryStream.h"

#include <string.h>

CZipEntryStream::CZipEntryStream() : m_nInputSize(16384), m_nUncompressedLeft(0), m_nCompressedLeft(0), m_nCrc(0)
{
  memset(&m_zs, 0, sizeof(m_zs));
}
