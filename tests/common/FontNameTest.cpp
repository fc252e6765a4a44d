// The font name reader on real fonts of Debian's packages (DejaVu's
// TrueType fonts, URW's OpenType/CFF fonts), on a collection made of two of
// them, and on copies damaged on purpose.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

#include "common/FontName.h"

namespace {

typedef std::vector<uint8_t> Bytes;

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kDejaVuMono[] = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-BoldOblique.ttf";
const char kNimbus[] = "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf";

// Under wine the Unix file system is drive Z:.
std::string HostFile(const char* path)
{
#ifdef _WIN32
  return std::string("Z:") + path;
#else
  return path;
#endif
}

Bytes Load(const char* path)
{
  Bytes bytes;
  FILE* f = fopen(HostFile(path).c_str(), "rb");
  if (!f)
    return bytes;
  int c;
  while ((c = fgetc(f)) != EOF)
    bytes.push_back((uint8_t)c);
  fclose(f);
  return bytes;
}

uint32_t Get32(const Bytes& b, size_t at)
{
  return (uint32_t)b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}
uint16_t Get16(const Bytes& b, size_t at) { return (uint16_t)(b[at] << 8 | b[at + 1]); }
void Put32(Bytes& b, size_t at, uint32_t v)
{
  for (int i = 0; i < 4; i++)
    b[at + i] = (uint8_t)(v >> (24 - 8 * i));
}
void Put16(Bytes& b, size_t at, uint16_t v)
{
  b[at] = (uint8_t)(v >> 8);
  b[at + 1] = (uint8_t)v;
}

// Where a font's tables lie, read straight from the bytes.
size_t TableRecord(const Bytes& font, const char* tag)
{
  for (size_t i = 0, n = Get16(font, 4); i < n; i++)
    if (memcmp(&font[12 + 16 * i], tag, 4) == 0)
      return 12 + 16 * i;
  return 0;
}
size_t NameTable(const Bytes& font) { return Get32(font, TableRecord(font, "name") + 8); }
// The name record of the Windows US English full name.
size_t FullNameRecord(const Bytes& font)
{
  size_t table = NameTable(font);
  for (size_t i = 0, n = Get16(font, table + 2); i < n; i++) {
    size_t r = table + 6 + 12 * i;
    if (Get16(font, r) == 3 && Get16(font, r + 4) == 0x409 && Get16(font, r + 6) == 4)
      return r;
  }
  return 0;
}

struct Result
{
  int nOutlines;
  std::string name;  // the UTF-16 units as UTF-8 (the tests' names are ASCII but for one)
};

Result Read(const Bytes& bytes)
{
  CFontMemory memory(bytes.data(), bytes.size());
  FontName name;
  memset(&name, 0xCC, sizeof(name));  // nothing may be left of this
  ReadFontName(memory, name);
  Result r = {name.nOutlines, ""};
  for (size_t i = 0; i < FONT_NAME_UNITS && name.szName[i]; i++) {
    uint16_t u = name.szName[i];
    if (u < 0x80)
      r.name += (char)u;
    else
      r.name += "<" + std::to_string(u) + ">";
  }
  return r;
}

// A collection of the fonts: the header, then each font with its table
// offsets moved to where it now lies, as collections count them from the
// start of the file.
Bytes Collection(const std::vector<Bytes>& fonts)
{
  Bytes out(12 + 4 * fonts.size());
  memcpy(out.data(), "ttcf", 4);
  Put32(out, 4, 0x00010000);
  Put32(out, 8, (uint32_t)fonts.size());
  for (size_t k = 0; k < fonts.size(); k++) {
    size_t base = out.size();
    Put32(out, 12 + 4 * k, (uint32_t)base);
    out.insert(out.end(), fonts[k].begin(), fonts[k].end());
    for (size_t i = 0, n = Get16(fonts[k], 4); i < n; i++)
      Put32(out, base + 12 + 16 * i + 8, Get32(out, base + 12 + 16 * i + 8) + (uint32_t)base);
  }
  return out;
}

class FontNameTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    dejavu = Load(kDejaVu);
    nimbus = Load(kNimbus);
    ASSERT_FALSE(dejavu.empty()) << kDejaVu << " (fonts-dejavu-core)";
    ASSERT_FALSE(nimbus.empty()) << kNimbus << " (fonts-urw-base35)";
  }
  Bytes dejavu, nimbus;
};

}  // namespace

TEST_F(FontNameTest, real_fonts_give_their_windows_english_full_name_and_outlines)
{
  Result r = Read(dejavu);
  EXPECT_EQ(r.nOutlines, FONT_TRUETYPE);
  EXPECT_EQ(r.name, "DejaVu Sans");
  // URW's Windows name differs from its Macintosh name ("Nimbus Sans").
  r = Read(nimbus);
  EXPECT_EQ(r.nOutlines, FONT_OPENTYPE);
  EXPECT_EQ(r.name, "NimbusSans-Regular");

  FontName name;
  ASSERT_TRUE(ReadFontFileName(HostFile(kDejaVuMono).c_str(), name));
  EXPECT_EQ(name.nOutlines, FONT_TRUETYPE);
  EXPECT_EQ(Read(Load(kDejaVuMono)).name, "DejaVu Sans Mono Bold Oblique");
  EXPECT_FALSE(ReadFontFileName(HostFile("/usr/share/fonts/no such font.ttf").c_str(), name));
  EXPECT_EQ(name.szName[0], 0);
  EXPECT_EQ(name.nOutlines, FONT_NOT_SFNT);
}

TEST_F(FontNameTest, a_collection_joins_the_names_of_its_fonts)
{
  Result r = Read(Collection({dejavu, nimbus}));
  EXPECT_EQ(r.name, "DejaVu Sans & NimbusSans-Regular");
  EXPECT_EQ(r.nOutlines, FONT_TRUETYPE);  // the first font's

  // A font whose table directory lies past the end is passed over, and a
  // font count of four billion reads no more offsets than the file holds.
  Bytes ttc = Collection({nimbus, dejavu});
  Put32(ttc, 12, 0xFFFFFFF0);
  EXPECT_EQ(Read(ttc).name, "DejaVu Sans");
  Put32(ttc, 8, 0xFFFFFFFF);
  ttc.resize(20);
  EXPECT_EQ(Read(ttc).nOutlines, FONT_NOT_SFNT);
}

TEST_F(FontNameTest, other_platforms_and_languages_do_not_count)
{
  // The US English record as German: no English full name is left.
  Bytes font = dejavu;
  Put16(font, FullNameRecord(font) + 4, 0x0407);
  EXPECT_EQ(Read(font).name, "");
  // As British English it is still English.
  Put16(font, FullNameRecord(dejavu) + 4, 0x0809);
  EXPECT_EQ(Read(font).name, "DejaVu Sans");
  // As the family name (ID 1) it is not the full name.
  font = dejavu;
  Put16(font, FullNameRecord(font) + 6, 1);
  EXPECT_EQ(Read(font).name, "");
}

TEST_F(FontNameTest, damaged_fonts_give_no_name_and_nothing_outside_the_bytes)
{
  // Every cut inside the table directory, and inside the name table, of the
  // OpenType font (its name table is the last table): the outlines are
  // known once the directory is whole, the name never from a cut table.
  size_t directoryEnd = 12 + 16 * Get16(nimbus, 4);
  size_t nameTable = NameTable(nimbus);
  size_t nameEnd = nameTable + Get32(nimbus, TableRecord(nimbus, "name") + 12);
  for (size_t cut : {size_t(0), size_t(3), size_t(11), size_t(12), directoryEnd - 1, directoryEnd, nameTable,
                     nameTable + 5, nameEnd - 1}) {
    Bytes font(nimbus.begin(), nimbus.begin() + cut);
    Result r = Read(font);
    EXPECT_EQ(r.name, "") << "cut at " << cut;
    EXPECT_EQ(r.nOutlines, cut >= directoryEnd ? FONT_OPENTYPE : FONT_NOT_SFNT) << "cut at " << cut;
  }

  // The name's string: past the table, of odd length, holding a NUL.
  size_t record = FullNameRecord(dejavu);
  Bytes font = dejavu;
  Put16(font, record + 10, 0xFFF0);
  EXPECT_EQ(Read(font).name, "");
  font = dejavu;
  Put16(font, record + 8, Get16(font, record + 8) - 1);
  EXPECT_EQ(Read(font).name, "");
  font = dejavu;
  size_t string = NameTable(font) + Get16(font, NameTable(font) + 4) + Get16(font, record + 10);
  Put16(font, string + 2, 0);
  EXPECT_EQ(Read(font).name, "");

  // A record count far beyond the table: only the records inside it are read.
  font = dejavu;
  Put16(font, NameTable(font) + 2, 0xFFFF);
  EXPECT_EQ(Read(font).name, "DejaVu Sans");
  // A name table of 4 GB, or one that starts past the end of the file.
  font = dejavu;
  Put32(font, TableRecord(font, "name") + 12, 0xFFFFFFFF);
  EXPECT_EQ(Read(font).name, "");
  font = dejavu;
  Put32(font, TableRecord(font, "name") + 8, 0xFFFFFFF0);
  EXPECT_EQ(Read(font).name, "");
  // 65535 tables declared in a file of a few: the directory cannot be read.
  font = dejavu;
  font.resize(4096);
  Put16(font, 4, 0xFFFF);
  EXPECT_EQ(Read(font).nOutlines, FONT_NOT_SFNT);
  // Not a font at all.
  EXPECT_EQ(Read(Bytes{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).nOutlines, FONT_NOT_SFNT);
}

TEST_F(FontNameTest, a_name_longer_than_the_buffer_is_cut_between_characters)
{
  // A made-up name table of one record: 300 units, a surrogate pair at the cut.
  Bytes font(12 + 16);
  Put32(font, 0, 0x00010000);
  Put16(font, 4, 1);
  memcpy(&font[12], "name", 4);
  Put32(font, 12 + 8, (uint32_t)font.size());
  Bytes table(6 + 12);
  Put16(table, 2, 1);
  Put16(table, 4, (uint16_t)table.size());
  Put16(table, 6 + 0, 3);
  Put16(table, 6 + 2, 1);
  Put16(table, 6 + 4, 0x409);
  Put16(table, 6 + 6, 4);
  Put16(table, 6 + 8, 600);
  for (int i = 0; i < 300; i++) {
    uint16_t unit = i == FONT_NAME_UNITS - 2 ? 0xD83D : i == FONT_NAME_UNITS - 1 ? 0xDE00 : 'a';
    table.push_back((uint8_t)(unit >> 8));
    table.push_back((uint8_t)unit);
  }
  Put32(font, 12 + 12, (uint32_t)table.size());
  font.insert(font.end(), table.begin(), table.end());
  Result r = Read(font);
  // 254 units fit besides the terminator; the 255th would be a lone high half.
  EXPECT_EQ(r.name, std::string(FONT_NAME_UNITS - 2, 'a'));
}
