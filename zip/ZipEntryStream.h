// CZipEntryStream: the read state of the open entry.
#pragma once
#include <zlib.h>
#include "zip/ZipBuffer.h"

class CZipEntryStream
{
public:
  CZipEntryStream();
  virtual ~CZipEntryStream() {}

  int32_t m_nInputSize;
  z_stream m_zs;
  uint32_t m_nUncompressedLeft;
  uint32_t m_nCompressedLeft;
  uint32_t m_nCrc;
  CZipBuffer m_input;
};
