// Entry names arrive in the OEM code page and are shown in the ANSI one; the
// pair must keep every length and agree on the characters both pages have.
#include <gtest/gtest.h>

#include "framework/Platform.h"

TEST(CodePages, OemToAnsiKeepsLengthAndMapsTheCommonLetters)
{
  // OEM 437: 0x81 u-umlaut, 0x84 a-umlaut, 0x94 o-umlaut, 0xE1 sharp s, 0x8E A-umlaut
  const char oem[] = "Gr\x81\xE1 \x84\x94\x8E.txt";
  char ansi[sizeof(oem)];
  ASSERT_TRUE(OemToCharBuffA(oem, ansi, sizeof(oem)));
  EXPECT_STREQ("Gr\xFC\xDF \xE4\xF6\xC4.txt", ansi);
}

TEST(CodePages, RoundTripOfTheCharactersBothPagesShare)
{
  char all[256], oem[256], back[256];
  for (int i = 0; i < 256; ++i)
    all[i] = (char)i;
  ASSERT_TRUE(CharToOemBuffA(all, oem, 256));
  ASSERT_TRUE(OemToCharBuffA(oem, back, 256));
  int kept = 0;
  for (int i = 0; i < 256; ++i)
    if (back[i] == all[i])
      ++kept;
  for (int i = 0; i < 128; ++i)
    EXPECT_EQ(all[i], back[i]) << "ASCII " << i;
  // The German letters must survive the trip.
  for (unsigned char c : {0xC4, 0xD6, 0xDC, 0xE4, 0xF6, 0xFC, 0xDF})
    EXPECT_EQ((char)c, back[c]) << (int)c;
  EXPECT_GT(kept, 128 + 40);
}
