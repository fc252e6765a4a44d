#include "zip/ZipEntryHeader.h"

#include <string.h>

#include "zip/ZipEntryName.h"
#include "zip/ZipRecords.h"
#include "zip/ZipSource.h"

namespace {
// Reads one variable-length field of a record, all of it from the current volume.
void ReadField(CZipSource& source, CZipBuffer& field, uint16_t nLength)
{
  field.Allocate(nLength);
  source.Read(field.GetBuffer(), nLength, true);
}
}  // namespace

CZipEntryHeader::CZipEntryHeader()
    : m_nSignature(0), m_nMadeBy(0), m_nNeeded(0), m_nFlags(0), m_nMethod(ZIP_METHOD_DEFLATED), m_nTime(0), m_nDate(0),
      m_nChecksum(0), m_nPackedSize(0), m_nSize(0), m_nFirstVolume(0), m_nInternal(0), m_nAttributes(0x20),
      m_nLocalOffset(0), m_nStoredNameLength(0)
{}

bool CZipEntryHeader::ReadCentral(CZipSource& source)
{
  uint8_t record[CEN_RECORD_SIZE];
  source.Read(record, sizeof(record), true);
  CZipRecordView r(record, sizeof(record));
  m_nSignature = r.Get32(CEN_SIGNATURE);
  m_nMadeBy = r.Get16(CEN_MADE_BY);
  m_nNeeded = r.Get16(CEN_NEEDED);
  m_nFlags = r.Get16(CEN_FLAGS);
  m_nMethod = r.Get16(CEN_METHOD);
  m_nTime = r.Get16(CEN_TIME);
  m_nDate = r.Get16(CEN_DATE);
  m_nChecksum = r.Get32(CEN_CRC);
  m_nPackedSize = r.Get32(CEN_PACKED_SIZE);
  m_nSize = r.Get32(CEN_SIZE);
  uint16_t nNameLength = r.Get16(CEN_NAME_LENGTH);
  uint16_t nExtraLength = r.Get16(CEN_EXTRA_LENGTH);
  uint16_t nCommentLength = r.Get16(CEN_COMMENT_LENGTH);
  m_nFirstVolume = r.Get16(CEN_FIRST_DISK);
  m_nInternal = r.Get16(CEN_INTERNAL);
  m_nAttributes = r.Get32(CEN_EXTERNAL);
  m_nLocalOffset = r.Get32(CEN_LOCAL_OFFSET);
  if (m_nSignature != ZIP_CENTRAL_SIGNATURE)
    return false;

  // The variable fields must come from the volume the record started on.
  int32_t nVolume = source.GetVolume();
  ReadField(source, m_name, nNameLength);
  m_nStoredNameLength = nNameLength;
  ReadField(source, m_extra, nExtraLength);
  ReadField(source, m_comment, nCommentLength);
  return source.GetVolume() == nVolume;
}

bool CZipEntryHeader::ReadLocal(CZipSource& source, uint16_t& nExtraLen)
{
  uint8_t record[LOC_RECORD_SIZE];
  source.Read(record, sizeof(record), true);
  CZipRecordView r(record, sizeof(record));
  uint16_t nFlags = r.Get16(LOC_FLAGS);
  if (r.Get32(LOC_SIGNATURE) != ZIP_LOCAL_SIGNATURE || nFlags != m_nFlags || r.Get16(LOC_METHOD) != m_nMethod)
    return false;
  if (m_nMethod != ZIP_METHOD_STORED && m_nMethod != ZIP_METHOD_DEFLATED)
    return false;
  uint16_t nNameLength = r.Get16(LOC_NAME_LENGTH);
  if (nNameLength != m_nStoredNameLength)
    return false;
  // With a descriptor the local values may be zeros; the descriptor is
  // checked when the entry is closed.
  if (!(nFlags & ZIP_FLAG_DESCRIPTOR) && !CheckDescriptor(record + LOC_CRC))
    return false;
  nExtraLen = r.Get16(LOC_EXTRA_LENGTH);
  source.Skip(nNameLength);
  return true;
}

bool CZipEntryHeader::CheckDescriptor(const uint8_t* p) const
{
  CZipRecordView r(p, DES_RECORD_SIZE);
  return r.Get32(DES_CRC) == m_nChecksum && r.Get32(DES_PACKED_SIZE) == m_nPackedSize && r.Get32(DES_SIZE) == m_nSize;
}

CString CZipEntryHeader::GetFileName() const
{
  if (m_name.IsEmpty())
    return CString();
  return CString(reinterpret_cast<const char*>(m_name.GetBuffer()), (int)m_name.GetSize());
}

void CZipEntryHeader::ConvertSlashes(bool bToBackslash)
{
  char from = bToBackslash ? '/' : '\\';
  char to = bToBackslash ? '\\' : '/';
  uint8_t* p = m_name.GetBuffer();
  for (uint32_t i = 0; i < m_name.GetSize(); ++i)
    if (p[i] == (uint8_t)from)
      p[i] = (uint8_t)to;
}

bool CZipEntryHeader::DecodeName()
{
  CString strName;
  if (!DecodeEntryName(m_nFlags, m_name, m_extra, strName))
    return false;
  uint8_t* p = m_name.Allocate((uint32_t)strName.GetLength());
  if (p != NULL)
    memcpy(p, (const char*)strName, (size_t)strName.GetLength());
  return true;
}

bool CZipEntryHeader::IsEncrypted() const { return (m_nFlags & ZIP_FLAG_ENCRYPTED) != 0; }

bool CZipEntryHeader::HasDescriptor() const { return (m_nFlags & ZIP_FLAG_DESCRIPTOR) != 0; }

bool CZipEntryHeader::IsDirectory() const
{
  if (m_nAttributes & ZIP_ATTRIBUTE_DIRECTORY)
    return true;
  uint32_t nLength = m_name.GetSize();
  if (nLength == 0)
    return false;
  uint8_t cLast = m_name.GetBuffer()[nLength - 1];
  return cLast == '/' || cLast == '\\';
}

uint32_t CZipEntryHeader::GetDosAttributes() const
{
  uint32_t nAttributes = m_nAttributes & ZIP_ATTRIBUTES_SETTABLE;
  // None at all is "normal": 0 would leave the file's attributes as they were.
  return nAttributes != 0 ? nAttributes : ZIP_ATTRIBUTE_NORMAL;
}

CTime CZipEntryHeader::GetTime() const { return CTime(m_nDate, m_nTime, -1); }

uint32_t CZipEntryHeader::GetRecordSize() const
{
  return CEN_RECORD_SIZE + m_nStoredNameLength + (uint16_t)m_extra.GetSize() + (uint16_t)m_comment.GetSize();
}
