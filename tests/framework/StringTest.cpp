#include <gtest/gtest.h>

#include "framework/String.h"
#include "framework/os/Unicode.h"

TEST(CString, CopiesShareUntilOneChanges)
{
  CString a("alpha");
  CString b(a);
  EXPECT_EQ(static_cast<const char*>(a), static_cast<const char*>(b));
  b += "!";
  EXPECT_STREQ("alpha", a);
  EXPECT_STREQ("alpha!", b);

  CString c = a;
  char* p = c.GetBuffer(10);
  p[0] = 'A';
  c.ReleaseBuffer();
  EXPECT_STREQ("alpha", a) << "GetBuffer must detach a shared buffer";
  EXPECT_STREQ("Alpha", c);
}

TEST(CString, AppendingToItselfAndFromItsOwnBuffer)
{
  CString s("ab");
  s += s;
  EXPECT_STREQ("abab", s);
  s = static_cast<const char*>(s) + 1;
  EXPECT_STREQ("bab", s);
  for (int i = 0; i < 1000; ++i)
    s += 'x';
  EXPECT_EQ(1003, s.GetLength());
}

TEST(CString, ComparisonIsBytewiseAndCaseSensitive)
{
  CString s("Demo Tool");
  EXPECT_TRUE(s == "Demo Tool");
  EXPECT_FALSE(s == "demo tool");
  EXPECT_TRUE(CString("\xfc") != CString("\xdc"));
  EXPECT_TRUE(CString() == "");
  EXPECT_TRUE(CString("ENG") == CString("ENG"));
  EXPECT_TRUE(CString("a\0b", 3) != CString("a"));
}

TEST(CString, ReleaseBufferTakesTheLengthUpToTheFirstNul)
{
  CString s;
  char* p = s.GetBuffer(259);
  strcpy(p, "C:\\Program Files");
  s.ReleaseBuffer();
  EXPECT_EQ(16, s.GetLength());
  p = s.GetBuffer(0);
  s.ReleaseBuffer(2);
  EXPECT_STREQ("C:", s);

  // Filled to its capacity without a NUL of the caller's: the length is
  // the capacity, and nothing is written outside the buffer.
  CString full;
  memset(full.GetBuffer(8), 'x', 8);
  full.ReleaseBuffer();
  EXPECT_STREQ("xxxxxxxx", full);
  CString grown("ab");
  grown += "cd";  // room for more than its four characters
  p = grown.GetBuffer(6);
  memset(p, 'y', 6);
  grown.ReleaseBuffer();
  EXPECT_STREQ("yyyyyy", grown);
}

TEST(CString, FormatFindAndParts)
{
  CString s;
  s.Format("%s\\%s.lnk", "C:\\Menu", "Demo Tool");
  EXPECT_STREQ("C:\\Menu\\Demo Tool.lnk", s);
  EXPECT_EQ(7, s.Find('\\', 3));
  EXPECT_EQ(2, s.Find("\\M"));
  EXPECT_EQ(7, s.ReverseFind('\\'));
  EXPECT_EQ(-1, s.Find('#'));
  EXPECT_STREQ("C:\\Menu", s.Left(7));
  EXPECT_STREQ("Demo", s.Mid(8, 4));
  EXPECT_STREQ("", s.Mid(100));
  s.Format("%i KB on drive %c:", -3, 'D');
  EXPECT_STREQ("-3 KB on drive D:", s);
  CString big;
  big.Format("%s", std::string(100000, 'z').c_str());
  EXPECT_EQ(100000, big.GetLength());
}

// Every format the programs use, with the result C99's snprintf gives: on
// Windows these go through the system runtime, which cuts without a NUL.
TEST(FormatTo, CutsTerminatesAndTellsTheWholeLength)
{
  CString s;
  s.Format("%.3d|%ld|%.*s|%c|%s", 7, -40000L, 4, "abcdefgh", 'x', "end");
  EXPECT_STREQ("007|-40000|abcd|x|end", s);

  char sz[8];
  memset(sz, '#', sizeof(sz));
  EXPECT_EQ(7, FormatTo(sz, sizeof(sz), "%s\\%s", "abc", "def"));
  EXPECT_STREQ("abc\\def", sz) << "a text that just fits keeps its NUL";
  memset(sz, '#', sizeof(sz));
  EXPECT_EQ(8, FormatTo(sz, sizeof(sz), "%s.lnk", "name"));
  EXPECT_STREQ("name.ln", sz) << "a text one byte too long is cut and terminated";
  EXPECT_EQ(20, FormatTo(sz, sizeof(sz), "%s", "twenty characters..."));
  EXPECT_STREQ("twenty ", sz);
  memset(sz, '#', sizeof(sz));
  EXPECT_EQ(3, FormatTo(sz, 0, "%i", 123));
  EXPECT_EQ('#', sz[0]) << "an empty buffer is not touched";
  EXPECT_EQ(3, FormatTo(NULL, 0, "%i", 123));
}

// Lengths as Windows counts them and beginnings cut to such a length: a
// character beyond U+FFFF takes two units and is never cut in half.
TEST(Utf8Text, LengthsInUtf16UnitsAndWholeCharacterBeginnings)
{
  const char* const kText = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80z";  // a é 日 😀 z
  EXPECT_EQ(WideLength(kText), 6);
  EXPECT_EQ(WideLength(""), 0);
  const struct
  {
    int nUnits;
    const char* pszExpected;
  } kCases[] = {
      {0, ""},
      {1, "a"},
      {2, "a\xC3\xA9"},
      {3, "a\xC3\xA9\xE6\x97\xA5"},
      {4, "a\xC3\xA9\xE6\x97\xA5"},  // half of the pair would not do
      {5, "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"},
      {6, kText},
      {259, kText},
  };
  for (const auto& c : kCases)
    EXPECT_STREQ(LeadingUnits(kText, c.nUnits), c.pszExpected) << c.nUnits;
}
