// The name by which Windows lists a font under its Fonts key, read from the
// font file's own name table: the full font name (name ID 4) of the Windows
// platform, in English. Reads TrueType and OpenType fonts and collections of
// them (.ttc), whose names are joined by " & ". The bytes come from outside:
// every offset, length and count is checked before it is used.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum
{
  FONT_NAME_UNITS = 256  // UTF-16 code units of a name, the terminator included
};

enum FontOutlines
{
  FONT_NOT_SFNT,  // no table directory that can be read
  FONT_TRUETYPE,  // TrueType outlines
  FONT_OPENTYPE   // CFF outlines: "OTTO", or a CFF or CFF2 table
};

struct FontName
{
  int nOutlines;                     // FontOutlines
  uint16_t szName[FONT_NAME_UNITS];  // UTF-16, terminated; empty when the font has no such name
};

// The font's bytes at an offset; false unless all nSize of them are there.
class CFontBytes
{
public:
  virtual ~CFontBytes() {}
  virtual bool Read(uint32_t nOffset, void* pBuffer, uint32_t nSize) = 0;
};

// A font held in memory.
class CFontMemory : public CFontBytes
{
public:
  CFontMemory(const uint8_t* pData, size_t nSize) : m_pData(pData), m_nSize(nSize) {}
  bool Read(uint32_t nOffset, void* pBuffer, uint32_t nSize) override;

private:
  const uint8_t* m_pData;
  size_t m_nSize;
};

void ReadFontName(CFontBytes& bytes, FontName& name);
// The same from a file; false when it cannot be opened (name then empty).
bool ReadFontFileName(const char* lpszPath, FontName& name);
