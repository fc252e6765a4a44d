#include "common/FontName.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "framework/os/FileSystem.h"

namespace {

// Table directory: the sfnt version, the table count, then 16-byte records.
enum
{
  SFNT_VERSION = 0,
  SFNT_TABLE_COUNT = 4,
  SFNT_HEADER_SIZE = 12,
  TABLE_TAG = 0,
  TABLE_OFFSET = 8,
  TABLE_LENGTH = 12,
  TABLE_RECORD_SIZE = 16
};

// Collection header: tag, version, font count, then one offset per font.
enum
{
  TTC_FONT_COUNT = 8,
  TTC_HEADER_SIZE = 12
};

// Name table: format, record count, offset of the strings, then 12-byte records.
enum
{
  NAME_COUNT = 2,
  NAME_STORAGE = 4,
  NAME_HEADER_SIZE = 6,
  NAME_PLATFORM = 0,
  NAME_ENCODING = 2,
  NAME_LANGUAGE = 4,
  NAME_ID = 6,
  NAME_LENGTH = 8,
  NAME_OFFSET = 10,
  NAME_RECORD_SIZE = 12
};

const uint32_t kVersionTrueType = 0x00010000;
const uint32_t kTagTrue = 0x74727565;  // "true", older Apple TrueType
const uint32_t kTagOtto = 0x4F54544F;  // "OTTO", CFF outlines
const uint32_t kTagTtcf = 0x74746366;  // "ttcf", a collection
const uint32_t kTagName = 0x6E616D65;
const uint32_t kTagCff = 0x43464620;
const uint32_t kTagCff2 = 0x43464632;

const uint16_t kPlatformWindows = 3;
const uint16_t kNameIdFullName = 4;
const uint16_t kLanguageUsEnglish = 0x0409;
const uint16_t kPrimaryLanguageEnglish = 0x09;

// Real name tables hold a few kilobytes; a collection a few dozen fonts.
const uint32_t kMaxNameTable = 1u << 20;
const uint32_t kMaxCollectionFonts = 256;

uint16_t Get16(const uint8_t* p) { return (uint16_t)((p[0] << 8) | p[1]); }
uint32_t Get32(const uint8_t* p)
{
  return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

// nSize bytes at nOffset into a new block (freed by the caller); NULL when
// they are not all there.
uint8_t* ReadBlock(CFontBytes& bytes, uint32_t nOffset, uint32_t nSize)
{
  uint8_t* p = (uint8_t*)malloc(nSize ? nSize : 1);
  if (p && !bytes.Read(nOffset, p, nSize)) {
    free(p);
    p = NULL;
  }
  return p;
}

size_t UnitLength(const uint16_t* psz)
{
  size_t n = 0;
  while (psz[n])
    n++;
  return n;
}

// The table directory at nStart: the outlines, and where the name table
// lies (length 0 when the font has none). False when it cannot be read.
bool ReadDirectory(CFontBytes& bytes, uint32_t nStart, int& nOutlines, uint32_t& nNameOffset, uint32_t& nNameLength)
{
  uint8_t header[SFNT_HEADER_SIZE];
  if (!bytes.Read(nStart, header, sizeof(header)))
    return false;
  uint32_t nVersion = Get32(header + SFNT_VERSION);
  if (nVersion == kTagOtto)
    nOutlines = FONT_OPENTYPE;
  else if (nVersion == kVersionTrueType || nVersion == kTagTrue)
    nOutlines = FONT_TRUETYPE;
  else
    return false;
  uint32_t nTables = Get16(header + SFNT_TABLE_COUNT);
  uint32_t nRecords = nTables * TABLE_RECORD_SIZE;  // at most 1 MB
  if (nStart > UINT32_MAX - SFNT_HEADER_SIZE)
    return false;
  uint8_t* pRecords = ReadBlock(bytes, nStart + SFNT_HEADER_SIZE, nRecords);
  if (!pRecords)
    return false;
  nNameLength = 0;
  for (uint32_t i = 0; i < nTables; i++) {
    const uint8_t* pRecord = pRecords + i * TABLE_RECORD_SIZE;
    uint32_t nTag = Get32(pRecord + TABLE_TAG);
    if (nTag == kTagCff || nTag == kTagCff2)
      nOutlines = FONT_OPENTYPE;
    else if (nTag == kTagName && nNameLength == 0) {
      nNameOffset = Get32(pRecord + TABLE_OFFSET);
      nNameLength = Get32(pRecord + TABLE_LENGTH);
    }
  }
  free(pRecords);
  return true;
}

// How well a name record fits: 2 US English, 1 another English, 0 not at
// all (another platform, encoding, name or language).
int Rank(const uint8_t* pRecord)
{
  uint16_t nEncoding = Get16(pRecord + NAME_ENCODING);
  uint16_t nLanguage = Get16(pRecord + NAME_LANGUAGE);
  if (Get16(pRecord + NAME_PLATFORM) != kPlatformWindows || Get16(pRecord + NAME_ID) != kNameIdFullName ||
      (nEncoding != 0 && nEncoding != 1 && nEncoding != 10))
    return 0;
  if (nLanguage == kLanguageUsEnglish)
    return 2;
  return (nLanguage & 0x3FF) == kPrimaryLanguageEnglish ? 1 : 0;
}

// The full name from the name table into pszName (nUnits with the
// terminator), big-endian UTF-16 as the table holds it. A string that runs
// past the table, has an odd length or holds a NUL is passed over. Empty
// when there is no usable one.
void ReadFullName(CFontBytes& bytes, uint32_t nOffset, uint32_t nLength, uint16_t* pszName, size_t nUnits)
{
  pszName[0] = 0;
  if (nLength < NAME_HEADER_SIZE || nLength > kMaxNameTable)
    return;
  uint8_t* pTable = ReadBlock(bytes, nOffset, nLength);
  if (!pTable)
    return;
  uint32_t nRecords = Get16(pTable + NAME_COUNT);
  uint32_t nStorage = Get16(pTable + NAME_STORAGE);
  // A count beyond the table: only the records inside it are read.
  uint32_t nFit = (nLength - NAME_HEADER_SIZE) / NAME_RECORD_SIZE;
  if (nRecords > nFit)
    nRecords = nFit;
  const uint8_t* pBest = NULL;
  uint32_t nBestUnits = 0;
  int nBestRank = 0;
  for (uint32_t i = 0; i < nRecords; i++) {
    const uint8_t* pRecord = pTable + NAME_HEADER_SIZE + i * NAME_RECORD_SIZE;
    int nRank = Rank(pRecord);
    if (nRank <= nBestRank)
      continue;
    uint32_t nStringLength = Get16(pRecord + NAME_LENGTH);
    uint32_t nStart = nStorage + Get16(pRecord + NAME_OFFSET);  // at most 128 KB: no overflow
    if (nStringLength == 0 || nStringLength % 2 != 0 || nStart > nLength || nStringLength > nLength - nStart)
      continue;
    const uint8_t* pString = pTable + nStart;
    bool bHasNul = false;
    for (uint32_t k = 0; k < nStringLength; k += 2)
      bHasNul = bHasNul || Get16(pString + k) == 0;
    if (bHasNul)
      continue;
    pBest = pString;
    nBestUnits = nStringLength / 2;
    nBestRank = nRank;
  }
  if (pBest) {
    size_t nCopy = nBestUnits < nUnits - 1 ? nBestUnits : nUnits - 1;
    // Cut between the halves of a surrogate pair: drop the high half too.
    if (nCopy < nBestUnits && nCopy > 0 && (Get16(pBest + 2 * (nCopy - 1)) & 0xFC00) == 0xD800)
      nCopy--;
    for (size_t k = 0; k < nCopy; k++)
      pszName[k] = Get16(pBest + 2 * k);
    pszName[nCopy] = 0;
  }
  free(pTable);
}

// One font of the file, whose table directory starts at nStart: its name
// joined to what name holds, if the whole of it fits. False when its table
// directory cannot be read.
bool AddFont(CFontBytes& bytes, uint32_t nStart, FontName& name)
{
  int nOutlines = FONT_NOT_SFNT;
  uint32_t nNameOffset = 0, nNameLength = 0;
  if (!ReadDirectory(bytes, nStart, nOutlines, nNameOffset, nNameLength))
    return false;
  if (name.nOutlines == FONT_NOT_SFNT)
    name.nOutlines = nOutlines;
  uint16_t szOne[FONT_NAME_UNITS];
  ReadFullName(bytes, nNameOffset, nNameLength, szOne, FONT_NAME_UNITS);
  if (!szOne[0])
    return true;
  size_t nHave = UnitLength(name.szName);
  if (nHave == 0) {
    memcpy(name.szName, szOne, sizeof(szOne));
    return true;
  }
  static const uint16_t kJoin[] = {' ', '&', ' '};
  size_t nOne = UnitLength(szOne);
  if (nHave + 3 + nOne >= FONT_NAME_UNITS)
    return true;
  memcpy(name.szName + nHave, kJoin, sizeof(kJoin));
  memcpy(name.szName + nHave + 3, szOne, (nOne + 1) * sizeof(uint16_t));
  return true;
}

class CFontFile : public CFontBytes
{
public:
  explicit CFontFile(FILE* pFile) : m_pFile(pFile), m_nSize(0)
  {
    if (fseek(pFile, 0, SEEK_END) == 0) {
      long nSize = ftell(pFile);
      m_nSize = nSize > 0 && nSize <= 0x7FFFFFFFL ? (uint32_t)nSize : 0;
    }
  }
  bool Read(uint32_t nOffset, void* pBuffer, uint32_t nSize) override
  {
    if (nSize > m_nSize || nOffset > m_nSize - nSize)
      return false;
    return fseek(m_pFile, (long)nOffset, SEEK_SET) == 0 && fread(pBuffer, 1, nSize, m_pFile) == nSize;
  }

private:
  FILE* m_pFile;
  uint32_t m_nSize;  // 0 for a file of 2 GB or more (fseek takes a long): nothing is read
};

}  // namespace

bool CFontMemory::Read(uint32_t nOffset, void* pBuffer, uint32_t nSize)
{
  if (nSize > m_nSize || nOffset > m_nSize - nSize)
    return false;
  memcpy(pBuffer, m_pData + nOffset, nSize);
  return true;
}

void ReadFontName(CFontBytes& bytes, FontName& name)
{
  name.nOutlines = FONT_NOT_SFNT;
  name.szName[0] = 0;
  uint8_t header[TTC_HEADER_SIZE];
  if (!bytes.Read(0, header, sizeof(header)) || Get32(header) != kTagTtcf) {
    AddFont(bytes, 0, name);
    return;
  }
  uint32_t nFonts = Get32(header + TTC_FONT_COUNT);
  if (nFonts > kMaxCollectionFonts)
    nFonts = kMaxCollectionFonts;
  uint8_t* pOffsets = ReadBlock(bytes, TTC_HEADER_SIZE, nFonts * 4);
  if (!pOffsets)
    return;
  for (uint32_t i = 0; i < nFonts; i++)
    AddFont(bytes, Get32(pOffsets + 4 * i), name);
  free(pOffsets);
}

bool ReadFontFileName(const char* lpszPath, FontName& name)
{
  name.nOutlines = FONT_NOT_SFNT;
  name.szName[0] = 0;
  FILE* pFile = OpenFileStream(lpszPath, "rb");
  if (!pFile)
    return false;
  CFontFile file(pFile);
  ReadFontName(file, name);
  fclose(pFile);
  return true;
}
