// The command line of an unattended run: options, quoting, /D= last, and
// every way a line is not understood.
#include <gtest/gtest.h>

#include <string>

#include "common/CommandLine.h"

namespace {

struct Parsed
{
  bool bUnderstood;
  CommandLine line;
};

Parsed Parse(const std::string& strArgs, unsigned nKnown = OPT_SETUP)
{
  // Sentinels: every field must be set.
  Parsed parsed;
  parsed.line.nGiven = 0x5a5a5a5a;
  parsed.line.strGroup = parsed.line.strLog = parsed.line.strDest = "sentinel";
  memset(parsed.line.szError, 0x5a, sizeof(parsed.line.szError));
  parsed.bUnderstood = ParseCommandLine(strArgs.c_str(), nKnown, parsed.line);
  return parsed;
}

}  // namespace

TEST(CommandLine, NoArgumentsGiveNoOptions)
{
  for (const char* args : {"", "   ", "\t \t"}) {
    Parsed p = Parse(args);
    EXPECT_TRUE(p.bUnderstood) << "'" << args << "'";
    EXPECT_EQ(0u, p.line.nGiven);
    EXPECT_STREQ("", p.line.strGroup);
    EXPECT_STREQ("", p.line.strLog);
    EXPECT_STREQ("", p.line.strDest);
    EXPECT_STREQ("", p.line.szError);
  }
  CommandLine line;
  EXPECT_TRUE(ParseCommandLine(NULL, OPT_SETUP, line));
  EXPECT_EQ(0u, line.nGiven);
}

TEST(CommandLine, EveryOptionInAnyCaseWithQuotedValues)
{
  Parsed p = Parse("/s\t/AllUsers /group=\"Quill Tools\\Viewer\" \"/Log=C:\\my logs\\setup.log\" /d=C:\\Apps");
  ASSERT_TRUE(p.bUnderstood) << p.line.szError;
  EXPECT_EQ(unsigned(OPT_SILENT | OPT_ALLUSERS | OPT_GROUP | OPT_LOG | OPT_DEST), p.line.nGiven);
  EXPECT_STREQ("Quill Tools\\Viewer", p.line.strGroup);
  EXPECT_STREQ("C:\\my logs\\setup.log", p.line.strLog);
  EXPECT_STREQ("C:\\Apps", p.line.strDest);

  p = Parse("/CURRENTUSER /GROUP=A\" \"B /S");
  ASSERT_TRUE(p.bUnderstood) << p.line.szError;
  EXPECT_EQ(unsigned(OPT_SILENT | OPT_CURRENTUSER | OPT_GROUP), p.line.nGiven);
  EXPECT_STREQ("A B", p.line.strGroup);

  // Letters beyond ASCII pass as they are (UTF-8).
  p = Parse("/S /GROUP=Bildbetrachter-Übersicht");
  ASSERT_TRUE(p.bUnderstood);
  EXPECT_STREQ("Bildbetrachter-Übersicht", p.line.strGroup);
}

// /D= takes the rest of the line as the path: blanks, and what looks like
// options, belong to it; quotes never do; trailing blanks go.
TEST(CommandLine, DestinationTakesTheRestOfTheLine)
{
  const struct
  {
    const char* pszArgs;
    const char* pszDest;
  } cases[] = {
      {"/S /D=C:\\Program Files\\Quill Viewer", "C:\\Program Files\\Quill Viewer"},
      {"/S /D=C:\\Apps\\Odd /S /LOG=x   ", "C:\\Apps\\Odd /S /LOG=x"},
      {"/S /D=\"C:\\Program Files\\Quill\"", "C:\\Program Files\\Quill"},
      {"/S \"/D=C:\\Program Files\\Quill\"", "C:\\Program Files\\Quill"},
      {"/D=  C:\\Lead", "  C:\\Lead"},  // the form check refuses it later, as the dialog would
  };
  for (const auto& c : cases) {
    Parsed p = Parse(c.pszArgs);
    ASSERT_TRUE(p.bUnderstood) << c.pszArgs << ": " << p.line.szError;
    EXPECT_STREQ(c.pszDest, p.line.strDest) << c.pszArgs;
    EXPECT_TRUE(p.line.nGiven & OPT_DEST);
  }
}

TEST(CommandLine, LinesThatAreNotUnderstood)
{
  const std::string long259(259, 'x'), long260(260, 'x');
  const struct
  {
    std::string strArgs;
    const char* pszError;
  } cases[] = {
      {"/S /Q", "unknown option: /Q"},
      {"/S /SILENT", "unknown option: /SILENT"},
      {"/S /LOG C:\\setup.log", "unknown option: /LOG"},
      {"/S /GROUP", "unknown option: /GROUP"},
      {"/S /DEST=C:\\x", "unknown option: /DEST=C:\\x"},
      {"/S C:\\Apps", "not an option: C:\\Apps"},
      {"/S -S", "not an option: -S"},
      {"/S /GROUP=Quill Tools", "not an option: Tools"},
      {"/S /S", "option given twice: /S"},
      {"/S /LOG=a /LOG=b", "option given twice: /LOG="},
      {"/S /ALLUSERS /CURRENTUSER", "/ALLUSERS and /CURRENTUSER exclude each other"},
      {"/S /GROUP=", "/GROUP= needs a value"},
      {"/S /LOG=\"\"", "/LOG= needs a value"},
      {"/S /D=", "/D= needs a value"},
      {"/S /D=\"  \"", "/D= needs a value"},
      {"/S /GROUP=" + long260, "the value of /GROUP= is longer than 259 characters"},
      {"/S /LOG=" + long260 + "x", "the value of /LOG= is longer than 259 characters"},
      {"/S /D=C:\\" + long259, "the value of /D= is longer than 259 characters"},
  };
  for (const auto& c : cases) {
    Parsed p = Parse(c.strArgs);
    EXPECT_FALSE(p.bUnderstood) << c.strArgs;
    EXPECT_STREQ(c.pszError, p.line.szError) << c.strArgs;
    EXPECT_TRUE(p.line.nGiven & OPT_SILENT) << c.strArgs;
  }
  // The longest values that fit are taken whole.
  Parsed p = Parse("/GROUP=" + long259 + " /D=C:\\" + long259.substr(3));
  ASSERT_TRUE(p.bUnderstood) << p.line.szError;
  EXPECT_EQ(long259, static_cast<const char*>(p.line.strGroup));
  EXPECT_EQ(259u, strlen(p.line.strDest));
}

// The first error is reported; /S behind it is still seen, so that the
// caller knows to answer with an exit code rather than ignore the line.
TEST(CommandLine, SilentIsSeenBehindAnError)
{
  Parsed p = Parse("/X /GROUP= /S");
  EXPECT_FALSE(p.bUnderstood);
  EXPECT_STREQ("unknown option: /X", p.line.szError);
  EXPECT_TRUE(p.line.nGiven & OPT_SILENT);
  p = Parse("/X /GROUP=");
  EXPECT_FALSE(p.bUnderstood);
  EXPECT_FALSE(p.line.nGiven & OPT_SILENT);
}

// An endless word or an open quote ends at the end of the line; the
// message quotes only the start of the word.
TEST(CommandLine, HugeAndUnbalancedInputStaysInItsBuffers)
{
  std::string strHuge = "/S /" + std::string(100000, 'Z');
  Parsed p = Parse(strHuge);
  EXPECT_FALSE(p.bUnderstood);
  EXPECT_EQ("unknown option: /" + std::string(63, 'Z') + "...", std::string(p.line.szError));
  EXPECT_LT(strlen(p.line.szError), sizeof(p.line.szError));

  p = Parse("/S /GROUP=\"open quote /LOG=x");
  ASSERT_TRUE(p.bUnderstood);
  EXPECT_STREQ("open quote /LOG=x", p.line.strGroup);
  EXPECT_FALSE(p.line.nGiven & OPT_LOG);

  p = Parse("/S /D=" + std::string(100000, 'y'));
  EXPECT_FALSE(p.bUnderstood);
  EXPECT_STREQ("", p.line.strDest);
}

// The uninstaller knows /S and /LOG= only.
TEST(CommandLine, UninstallerOptions)
{
  Parsed p = Parse("/s /log=C:\\removal.log", OPT_UNINSTALL);
  ASSERT_TRUE(p.bUnderstood);
  EXPECT_EQ(unsigned(OPT_SILENT | OPT_LOG), p.line.nGiven);
  EXPECT_STREQ("C:\\removal.log", p.line.strLog);
  for (const char* args : {"/S /D=C:\\x", "/S /ALLUSERS", "/S /GROUP=x"}) {
    p = Parse(args, OPT_UNINSTALL);
    EXPECT_FALSE(p.bUnderstood) << args;
    EXPECT_EQ(0, strncmp(p.line.szError, "unknown option: /", 17)) << args << ": " << p.line.szError;
  }
}
