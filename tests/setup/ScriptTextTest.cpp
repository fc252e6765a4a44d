// The scanner's four reading operations: the script's syntax.
#include <gtest/gtest.h>

#include "setup/ScriptText.h"

namespace {
const char kUnchanged[] = "<unchanged>";

std::string Text(const CString& s) { return std::string(s, (size_t)s.GetLength()); }
}  // namespace

TEST(ScriptTextReadLine, EndsAtCrAndSwallowsOneLfButNotALoneLf)
{
  const char* text = "one\r\ntwo\rthree\nstill three\r\n\r\nlast";
  CScriptText script(text);
  CString line;
  const char* p = script.ReadLine(text, line);
  EXPECT_EQ("one", Text(line));
  p = script.ReadLine(p, line);
  EXPECT_EQ("two", Text(line));
  p = script.ReadLine(p, line);
  EXPECT_EQ("three\nstill three", Text(line));
  p = script.ReadLine(p, line);
  EXPECT_EQ("", Text(line));
  ASSERT_NE(nullptr, p);
  EXPECT_STREQ("last", p);
  line = kUnchanged;
  EXPECT_EQ(nullptr, script.ReadLine(p, line)) << "no CR follows the last line";
  EXPECT_EQ(kUnchanged, Text(line));
}

TEST(ScriptTextReadKeyLine, FirstOccurrenceCountsEvenInsideAnotherLine)
{
  CScriptText script("#Shortcuts\r\nsee #Language\r\nGER\r\n#Language\r\nENG\r\n#end");
  CString value;
  script.ReadKeyLine("#Language", value);
  EXPECT_EQ("GER", Text(value));
}

TEST(ScriptTextReadKeyLine, TakesAFollowingKeyLineUnchanged)
{
  CScriptText script("#AppName\r\n#Shortcuts\r\nx.exe\r\nX\r\n#end");
  CString value;
  EXPECT_NE(nullptr, script.ReadKeyLine("#AppName", value));
  EXPECT_EQ("#Shortcuts", Text(value));
}

TEST(ScriptTextReadKeyLine, KeyOnTheLastLineOrMissingLeavesTheValue)
{
  for (const char* text : {"#Language\r\nGER\r\n#AppName", "#AppName\r\nlast line without break", "#end"}) {
    CScriptText script(text);
    CString value = kUnchanged;
    EXPECT_EQ(nullptr, script.ReadKeyLine("#AppName", value)) << text;
    EXPECT_EQ(kUnchanged, Text(value)) << text;
  }
}

TEST(ScriptTextReadBlock, KeepsLineBreaksAndEndsAtTheNextHashEvenMidLine)
{
  CScriptText script("#Agreement\r\nLine 1\r\n\r\nSection #2 goes on\r\n#end");
  CString block;
  EXPECT_FALSE(script.ReadBlock("#Agreement", block));
  EXPECT_EQ("Line 1\r\n\r\nSection ", Text(block));

  CScriptText ends("#AppName\r\nA\r\n#Agreement\r\nno hash\r\nafter this");
  EXPECT_FALSE(ends.ReadBlock("#Agreement", block));
  EXPECT_EQ("no hash\r\nafter this", Text(block)) << "without a '#' the block runs to the end";

  CScriptText right("#Agreement\r\nText\r\n#end");
  EXPECT_FALSE(right.ReadBlock("#Agreement", block));
  EXPECT_EQ("Text\r\n", Text(block)) << "the CR LF before the '#' belongs to the block";

  block = kUnchanged;
  EXPECT_TRUE(right.ReadBlock("#Missing", block));
  EXPECT_EQ(kUnchanged, Text(block));
}

TEST(ScriptTextReadStringList, EmptyLinesAreEntriesAndTheListEndsAtAHashLine)
{
  CScriptText script("#GeneratedFiles\r\na.ini\r\n\r\nlogs\\b.log\r\n#end");
  CString** list = NULL;
  int32_t count = -1;
  EXPECT_FALSE(script.ReadStringList("#GeneratedFiles", list, count));
  ASSERT_EQ(3, count);
  EXPECT_EQ("a.ini", Text(*list[0]));
  EXPECT_EQ("", Text(*list[1]));
  EXPECT_EQ("logs\\b.log", Text(*list[2]));
  CScriptText::FreeStringList(list, count);
}

TEST(ScriptTextReadStringList, EmptyMissingOrUnterminatedLists)
{
  CString** list = reinterpret_cast<CString**>(1);
  int32_t count = 7;
  CScriptText empty("#InstallFonts\r\n#end");
  EXPECT_FALSE(empty.ReadStringList("#InstallFonts", list, count));
  EXPECT_EQ(0, count);
  EXPECT_EQ(nullptr, list);

  count = 7;
  EXPECT_TRUE(empty.ReadStringList("#GeneratedFiles", list, count));
  EXPECT_EQ(0, count);
  EXPECT_EQ(nullptr, list);

  // The line after the last CR is no entry: the script's "#end" normally stands there.
  CScriptText open("#InstallFonts\r\na.ttf\r\nb.ttf");
  EXPECT_FALSE(open.ReadStringList("#InstallFonts", list, count));
  ASSERT_EQ(1, count);
  EXPECT_EQ("a.ttf", Text(*list[0]));
  CScriptText::FreeStringList(list, count);
}

TEST(ScriptTextReadBlock, AKeyOnTheLastLineLeavesTheBlockAlone)
{
  // No line follows the key: there is no block to read, and nothing past
  // the text's end may be read for one.
  for (const char* text : {"#AppName\r\nA\r\n#Agreement", "#Agreement"}) {
    CScriptText script(text);
    CString block = kUnchanged;
    EXPECT_FALSE(script.ReadBlock("#Agreement", block)) << text;
    EXPECT_EQ(kUnchanged, Text(block)) << text;
  }
  CScriptText list("#AppName\r\nA\r\n#InstallFonts");
  CString** fonts = NULL;
  int32_t count = -1;
  EXPECT_FALSE(list.ReadStringList("#InstallFonts", fonts, count));
  EXPECT_EQ(0, count);
  EXPECT_EQ(nullptr, fonts);
}
