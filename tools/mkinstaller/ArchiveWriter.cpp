#include "tools/mkinstaller/ArchiveWriter.h"

#include <zip.h>
#include <zlib.h>

#include "tools/mkinstaller/Diagnostics.h"

namespace {
const int kLevel = 9;
const uint16_t kUtf8Flag = 0x0800;

uint32_t Get32(const std::string& s, size_t i)
{
  return (uint32_t)(unsigned char)s[i] | (uint32_t)(unsigned char)s[i + 1] << 8 |
         (uint32_t)(unsigned char)s[i + 2] << 16 | (uint32_t)(unsigned char)s[i + 3] << 24;
}
uint16_t Get16(const std::string& s, size_t i) { return (uint16_t)((unsigned char)s[i] | (unsigned char)s[i + 1] << 8); }
void ClearFlag(std::string& s, size_t i, uint16_t nFlag)
{
  uint16_t n = (uint16_t)(Get16(s, i) & ~nFlag);
  s[i] = (char)(n & 0xFF);
  s[i + 1] = (char)(n >> 8);
}

// Names are OEM bytes: no entry may claim UTF-8, in its central record or
// its local header. The archive is our own, without comment or zip64.
void ClearUtf8Flags(std::string& strArchive)
{
  if (strArchive.size() < 22 || Get32(strArchive, strArchive.size() - 22) != 0x06054B50)
    throw CRefusal("archive: no end record where libzip writes it");
  const size_t nEnd = strArchive.size() - 22;
  size_t nPos = Get32(strArchive, nEnd + 16);
  for (uint16_t i = 0, n = Get16(strArchive, nEnd + 10); i < n; ++i) {
    if (nPos + 46 > nEnd || Get32(strArchive, nPos) != 0x02014B50)
      throw CRefusal("archive: unexpected central directory");
    size_t nLocal = Get32(strArchive, nPos + 42);
    if (nLocal + 30 > nEnd || Get32(strArchive, nLocal) != 0x04034B50)
      throw CRefusal("archive: unexpected local header");
    ClearFlag(strArchive, nPos + 8, kUtf8Flag);
    ClearFlag(strArchive, nLocal + 6, kUtf8Flag);
    nPos += 46 + Get16(strArchive, nPos + 28) + Get16(strArchive, nPos + 30) + Get16(strArchive, nPos + 32);
  }
}

// Raw deflate's size for the data, as the archive would hold it.
size_t DeflatedSize(const std::string& strData)
{
  z_stream zs = {};
  if (deflateInit2(&zs, kLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return strData.size();
  std::string strOut(deflateBound(&zs, (uLong)strData.size()), '\0');
  zs.next_in = (Bytef*)strData.data();
  zs.avail_in = (uInt)strData.size();
  zs.next_out = (Bytef*)&strOut[0];
  zs.avail_out = (uInt)strOut.size();
  int r = deflate(&zs, Z_FINISH);
  size_t n = r == Z_STREAM_END ? zs.total_out : strData.size();
  deflateEnd(&zs);
  return n;
}

class CZipWriter
{
public:
  CZipWriter()
  {
    zip_error_init(&m_error);
    m_pSource = zip_source_buffer_create(NULL, 0, 0, &m_error);
    if (m_pSource == NULL || (m_pArchive = zip_open_from_source(m_pSource, ZIP_TRUNCATE, &m_error)) == NULL)
      Fail("cannot start the archive");
    zip_source_keep(m_pSource);
  }
  ~CZipWriter()
  {
    if (m_pArchive)
      zip_discard(m_pArchive);
    if (m_pSource)
      zip_source_free(m_pSource);
    zip_error_fini(&m_error);
  }

  // Names go in as raw bytes: libzip's CP437 mode refuses OEM bytes that
  // happen to form UTF-8, and its guess flags them as UTF-8 (cleared below).
  void Add(const CPayloadEntry& entry)
  {
    zip_int64_t nIndex;
    if (entry.m_bDirectory) {
      nIndex = zip_dir_add(m_pArchive, entry.m_strOemName.c_str(), ZIP_FL_ENC_GUESS);
    } else {
      zip_source_t* pData = zip_source_buffer(m_pArchive, entry.m_strData.data(), entry.m_strData.size(), 0);
      nIndex = pData ? zip_file_add(m_pArchive, entry.m_strOemName.c_str(), pData, ZIP_FL_ENC_GUESS) : -1;
      if (nIndex < 0)
        zip_source_free(pData);
    }
    if (nIndex < 0)
      Fail(entry.m_strSource + ": " + zip_strerror(m_pArchive));
    bool bDeflate = !entry.m_bDirectory && DeflatedSize(entry.m_strData) < entry.m_strData.size();
    if (zip_set_file_compression(m_pArchive, (zip_uint64_t)nIndex, bDeflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                 bDeflate ? kLevel : 0) != 0 ||
        zip_file_set_external_attributes(m_pArchive, (zip_uint64_t)nIndex, 0, ZIP_OPSYS_DOS, entry.m_nAttributes) != 0 ||
        zip_file_set_dostime(m_pArchive, (zip_uint64_t)nIndex, entry.m_nDosTime, entry.m_nDosDate, 0) != 0)
      Fail(entry.m_strSource + ": " + zip_strerror(m_pArchive));
  }

  std::string Finish()
  {
    if (zip_close(m_pArchive) != 0)
      Fail(std::string("cannot write the archive: ") + zip_strerror(m_pArchive));
    m_pArchive = NULL;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(m_pSource, &st) != 0 || zip_source_open(m_pSource) != 0)
      Fail("cannot read the archive back");
    std::string strBytes((size_t)st.size, '\0');
    zip_int64_t n = strBytes.empty() ? 0 : zip_source_read(m_pSource, &strBytes[0], st.size);
    zip_source_close(m_pSource);
    if (n != (zip_int64_t)st.size)
      Fail("cannot read the archive back");
    return strBytes;
  }

private:
  [[noreturn]] void Fail(const std::string& strWhat) { throw CRefusal("archive: " + strWhat); }

  zip_error_t m_error;
  zip_source_t* m_pSource = NULL;
  zip_t* m_pArchive = NULL;
};
}

std::string WriteArchive(const std::vector<CPayloadEntry>& entries)
{
  // libzip writes nothing at all for an archive without entries; setup
  // needs the end record of an empty archive.
  if (entries.empty())
    return std::string("PK\x05\x06", 4) + std::string(18, '\0');
  CZipWriter writer;
  for (const CPayloadEntry& entry : entries)
    writer.Add(entry);
  std::string strArchive = writer.Finish();
  ClearUtf8Flags(strArchive);
  return strArchive;
}
