#include "tools/mkinstaller/ArchiveWriter.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>
#include <zlib.h>
#include <algorithm>

#include "tools/mkinstaller/ChunkDeflater.h"
#include "tools/mkinstaller/Diagnostics.h"
#include "zip/ZipRecords.h"

namespace {
const uint16_t kMadeByDos = 20;  // MS-DOS attributes, format version 2.0
const uint16_t kNeededStored = 10, kNeededDeflated = 20;

// Where and how one entry landed in the archive.
struct CPackedEntry
{
  uint32_t m_nLocalOffset;
  uint16_t m_nMethod;
  uint32_t m_nCrc;
  uint32_t m_nPackedSize;
};

void Set16(std::string& r, size_t nOffset, uint16_t n)
{
  r[nOffset] = (char)(n & 0xFF);
  r[nOffset + 1] = (char)(n >> 8);
}
void Set32(std::string& r, size_t nOffset, uint32_t n)
{
  Set16(r, nOffset, (uint16_t)(n & 0xFFFF));
  Set16(r, nOffset + 2, (uint16_t)(n >> 16));
}

// An ASCII name is written as it always was; any other is UTF-8 and says so.
uint16_t NameFlags(const std::string& strName)
{
  for (unsigned char c : strName)
    if (c >= 0x80)
      return ZIP_FLAG_UTF8;
  return 0;
}

uint16_t Needed(const CPayloadEntry& entry, const CPackedEntry& packed)
{
  return entry.m_bDirectory || packed.m_nMethod == ZIP_METHOD_DEFLATED ? kNeededDeflated : kNeededStored;
}

std::string LocalHeader(const CPayloadEntry& entry, const CPackedEntry& packed)
{
  std::string r(LOC_RECORD_SIZE, '\0');
  Set32(r, LOC_SIGNATURE, ZIP_LOCAL_SIGNATURE);
  Set16(r, LOC_NEEDED, Needed(entry, packed));
  Set16(r, LOC_FLAGS, NameFlags(entry.m_strName));
  Set16(r, LOC_METHOD, packed.m_nMethod);
  Set16(r, LOC_TIME, entry.m_nDosTime);
  Set16(r, LOC_DATE, entry.m_nDosDate);
  Set32(r, LOC_CRC, packed.m_nCrc);
  Set32(r, LOC_PACKED_SIZE, packed.m_nPackedSize);
  Set32(r, LOC_SIZE, entry.m_nSize);
  Set16(r, LOC_NAME_LENGTH, (uint16_t)entry.m_strName.size());
  Set16(r, LOC_EXTRA_LENGTH, 0);
  return r + entry.m_strName;
}

std::string CentralRecord(const CPayloadEntry& entry, const CPackedEntry& packed)
{
  std::string r(CEN_RECORD_SIZE, '\0');
  Set32(r, CEN_SIGNATURE, ZIP_CENTRAL_SIGNATURE);
  Set16(r, CEN_MADE_BY, kMadeByDos);
  Set16(r, CEN_NEEDED, Needed(entry, packed));
  Set16(r, CEN_FLAGS, NameFlags(entry.m_strName));
  Set16(r, CEN_METHOD, packed.m_nMethod);
  Set16(r, CEN_TIME, entry.m_nDosTime);
  Set16(r, CEN_DATE, entry.m_nDosDate);
  Set32(r, CEN_CRC, packed.m_nCrc);
  Set32(r, CEN_PACKED_SIZE, packed.m_nPackedSize);
  Set32(r, CEN_SIZE, entry.m_nSize);
  Set16(r, CEN_NAME_LENGTH, (uint16_t)entry.m_strName.size());
  Set16(r, CEN_EXTRA_LENGTH, 0);
  Set16(r, CEN_COMMENT_LENGTH, 0);
  Set16(r, CEN_FIRST_DISK, 0);
  Set16(r, CEN_INTERNAL, 0);
  Set32(r, CEN_EXTERNAL, entry.m_nAttributes);
  Set32(r, CEN_LOCAL_OFFSET, packed.m_nLocalOffset);
  return r + entry.m_strName;
}

std::string EndRecord(uint16_t nEntries, uint32_t nDirSize, uint32_t nDirOffset)
{
  std::string r(END_RECORD_SIZE, '\0');
  Set32(r, END_SIGNATURE, ZIP_END_SIGNATURE);
  Set16(r, END_THIS_DISK, 0);
  Set16(r, END_DIR_DISK, 0);
  Set16(r, END_ENTRIES_HERE, nEntries);
  Set16(r, END_ENTRIES, nEntries);
  Set32(r, END_DIR_SIZE, nDirSize);
  Set32(r, END_DIR_OFFSET, nDirOffset);
  Set16(r, END_COMMENT_LENGTH, 0);
  return r;
}

// An entry that deflate did not make smaller: its deflated bytes at nOffset
// are replaced by the file's own, read again and checked against the CRC
// taken while deflating.
void RewriteStored(COutputFile& out, uint64_t nOffset, const CPayloadEntry& entry, uint32_t nCrc)
{
  int fd = open(entry.m_strSource.c_str(), O_RDONLY);
  if (fd < 0)
    Refuse(entry.m_strSource, std::string("cannot be read: ") + strerror(errno));
  std::string strBuffer(CChunkDeflater::kChunkSize, '\0');
  uLong nReadCrc = crc32(0, NULL, 0);
  uint32_t nDone = 0;
  while (nDone < entry.m_nSize) {
    ssize_t n = read(fd, &strBuffer[0], std::min<size_t>(strBuffer.size(), entry.m_nSize - nDone));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    nReadCrc = crc32(nReadCrc, (const Bytef*)strBuffer.data(), (uInt)n);
    out.WriteAt(nOffset + nDone, strBuffer.data(), (size_t)n);
    nDone += (uint32_t)n;
  }
  close(fd);
  if (nDone != entry.m_nSize || nReadCrc != nCrc)
    Refuse(entry.m_strSource, "changed while it was being packed");
}

uint32_t ArchiveOffset(uint64_t nOffset)
{
  if (nOffset > 0xFFFFFFFFull)
    throw CRefusal("archive: it would reach 4 GiB");
  return (uint32_t)nOffset;
}
}  // namespace

uint64_t WriteArchive(COutputFile& out, const std::vector<CPayloadEntry>& entries, unsigned nThreads,
                      CProgress& progress)
{
  const uint64_t nStart = out.Position();
  CChunkDeflater deflater(entries, nThreads);
  std::string strDirectory;
  uint64_t nBytesDone = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const CPayloadEntry& entry = entries[i];
    CPackedEntry packed = {ArchiveOffset(out.Position() - nStart), ZIP_METHOD_STORED, 0, 0};
    const uint64_t nHeader = out.Position();
    out.Append(LocalHeader(entry, packed));
    const uint64_t nData = out.Position();
    uLong nCrc = crc32(0, NULL, 0);
    for (uint32_t nRaw = 0; nRaw < entry.m_nSize;) {
      CDeflatedChunk chunk;
      if (!deflater.Next(chunk) || chunk.m_nEntry != i)
        throw CRefusal("archive: deflated chunks out of order");
      out.Append(chunk.m_strPacked);
      nCrc = crc32_combine(nCrc, chunk.m_nCrc, chunk.m_nRawSize);
      nRaw += chunk.m_nRawSize;
      nBytesDone += chunk.m_nRawSize;
      progress.Update(i, nBytesDone);
    }
    packed.m_nCrc = (uint32_t)nCrc;
    if (out.Position() - nData < entry.m_nSize) {
      packed.m_nMethod = ZIP_METHOD_DEFLATED;
      packed.m_nPackedSize = ArchiveOffset(out.Position() - nData);
    } else {
      if (entry.m_nSize > 0)
        RewriteStored(out, nData, entry, packed.m_nCrc);
      out.Rewind(nData + entry.m_nSize);
      packed.m_nPackedSize = entry.m_nSize;
    }
    out.WriteAt(nHeader, LocalHeader(entry, packed));
    strDirectory += CentralRecord(entry, packed);
    progress.Update(i + 1, nBytesDone);
  }
  uint32_t nDirOffset = ArchiveOffset(out.Position() - nStart);
  out.Append(strDirectory);
  out.Append(EndRecord((uint16_t)entries.size(), (uint32_t)strDirectory.size(), nDirOffset));
  ArchiveOffset(out.Position() - nStart);
  return out.Position() - nStart;
}
