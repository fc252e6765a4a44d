// The parse into setup's fields, in setup's order, and the shortcut lists.
#include <gtest/gtest.h>

#include <string.h>

#include "setup/ScriptText.h"
#include "framework/os/ObjectArray.h"
#include "setup/SetupData.h"

namespace {
std::string Text(const CString& s) { return std::string(s, (size_t)s.GetLength()); }

// "target|arguments|caption;" per record.
std::string Shortcuts(const ShortcutEntry* list, int32_t count)
{
  std::string out;
  for (int32_t i = 0; i < count; ++i)
    out += Text(list[i].target) + "|" + Text(list[i].arguments) + "|" + Text(list[i].caption) + ";";
  return out;
}

std::string ReadShortcuts(const std::string& text)
{
  CScriptText script(text.c_str());
  ShortcutEntry* list = NULL;
  int32_t count = -1;
  EXPECT_FALSE(CSetupData::ReadShortcutList(script, "#Shortcuts", list, count));
  std::string out = Shortcuts(list, count);
  DeleteObjectArray(list, count);
  return out;
}
}  // namespace

TEST(ParseScript, TheSampleViewerScript)
{
  const char* text =
      "#AppName\r\nSample Viewer\r\n#Shortcuts\r\nviewer.exe\r\nSample Viewer\r\nviewer.exe /safe\r\n"
      "Sample Viewer (safe mode)\r\nuninstall.exe\r\nUninstall\r\n#StartupShortcuts\r\n#GeneratedFiles\r\n"
      "viewer.ini\r\nviewer.log\r\n#end";
  CSetupData data;
  CString agreement;
  data.ParseScript(text, agreement);
  EXPECT_EQ("Sample Viewer", Text(data.m_strAppName));
  EXPECT_EQ("viewer.exe||Sample Viewer;viewer.exe|/safe|Sample Viewer (safe mode);uninstall.exe||Uninstall;",
            Shortcuts(data.m_pShortcuts, data.m_nShortcuts));
  EXPECT_EQ(0, data.m_nStartupShortcuts);
  EXPECT_EQ(0, data.m_nDesktopShortcuts);
  ASSERT_EQ(2, data.m_nGeneratedFiles);
  EXPECT_EQ("viewer.ini", Text(*data.m_ppGeneratedFiles[0]));
  EXPECT_EQ("viewer.log", Text(*data.m_ppGeneratedFiles[1]));
  EXPECT_EQ("ENG", Text(data.m_strLanguage));
  EXPECT_EQ(0, data.m_nFonts);
  EXPECT_EQ("ProgramFiles", Text(data.m_strDefaultDest));
  EXPECT_TRUE(agreement.IsEmpty());
}

TEST(ParseScript, EveryKeyReachesItsField)
{
  const char* text =
      "#DesktopShortcuts\r\nbin\\app.exe -x\r\nApp\r\n#StartupShortcuts\r\nagent.exe\r\nAgent\r\n"
      "#Language\r\nGER\r\n#InstallFonts\r\nfonts\\a.ttf\r\n#DefaultDest\r\nAppData\r\n"
      "#Agreement\r\nTerms\r\n#AppName\r\nDemo\r\n#end";
  CSetupData data;
  CString agreement;
  data.ParseScript(text, agreement);
  EXPECT_EQ("Demo", Text(data.m_strAppName));
  EXPECT_EQ("bin\\app.exe|-x|App;", Shortcuts(data.m_pDesktopShortcuts, data.m_nDesktopShortcuts));
  EXPECT_EQ("agent.exe||Agent;", Shortcuts(data.m_pStartupShortcuts, data.m_nStartupShortcuts));
  EXPECT_EQ("GER", Text(data.m_strLanguage));
  ASSERT_EQ(1, data.m_nFonts);
  EXPECT_EQ("fonts\\a.ttf", Text(*data.m_ppFonts[0]));
  EXPECT_EQ("AppData", Text(data.m_strDefaultDest));
  EXPECT_EQ("Terms\r\n", Text(agreement));
}

// The descriptive keys between the others: each reaches its field, and the
// fields setup always read are as without them (a list ends at any key).
TEST(ParseScript, TheCatalogKeysLeaveTheOthersAlone)
{
  const char* text = "#AppName\r\nDemo\r\n#Version\r\n2.4.1\r\n#Shortcuts\r\napp.exe\r\nApp\r\n#Publisher\r\n"
                     "Acme Ltd\r\n#URL\r\nhttps://acme.example/\r\n#GeneratedFiles\r\napp.ini\r\n#Icon\r\napp.exe,1\r\n"
                     "#Scope\r\nUser\r\n#Agreement\r\nTerms\r\n#end";
  CSetupData data;
  CString agreement;
  data.ParseScript(text, agreement);
  EXPECT_EQ("Demo", Text(data.m_strAppName));
  EXPECT_EQ("app.exe||App;", Shortcuts(data.m_pShortcuts, data.m_nShortcuts));
  ASSERT_EQ(1, data.m_nGeneratedFiles);
  EXPECT_EQ("app.ini", Text(*data.m_ppGeneratedFiles[0]));
  EXPECT_EQ("Terms\r\n", Text(agreement));
  EXPECT_EQ("2.4.1|Acme Ltd|https://acme.example/|app.exe,1",
            Text(data.m_strVersion) + "|" + Text(data.m_strPublisher) + "|" + Text(data.m_strURL) + "|" +
                Text(data.m_strIcon));
  EXPECT_TRUE(data.m_bPerUserScript);
  data.ParseScript("#Scope\r\nmachine\r\n#end", agreement);
  EXPECT_FALSE(data.m_bPerUserScript);
  EXPECT_TRUE(data.m_strVersion.IsEmpty());
}

TEST(ParseScript, DefaultsWhenKeysAreMissing)
{
  CSetupData data;
  CString agreement;
  data.ParseScript("#end", agreement);
  EXPECT_EQ("Application", Text(data.m_strAppName));
  EXPECT_EQ("ENG", Text(data.m_strLanguage));
  EXPECT_EQ("ProgramFiles", Text(data.m_strDefaultDest));
  EXPECT_EQ(nullptr, data.m_pShortcuts);
  EXPECT_EQ(0, data.m_nShortcuts + data.m_nStartupShortcuts + data.m_nDesktopShortcuts + data.m_nGeneratedFiles +
                   data.m_nFonts);
  EXPECT_TRUE(agreement.IsEmpty());
}

TEST(ReadShortcutList, AnOddLineCountDropsTheUnpairedTarget)
{
  EXPECT_EQ("a.exe||A;", ReadShortcuts("#Shortcuts\r\na.exe\r\nA\r\nb.exe\r\n#end"));
}

TEST(ReadShortcutList, ArgumentsFollowTheFirstBlankAtOrAfterTheFirstDot)
{
  EXPECT_EQ("app.exe| two blanks|1;My Tools\\app.exe|--go now|2;tools dir\\runner||3;v1.2\\run|me.exe|4;",
            ReadShortcuts("#Shortcuts\r\napp.exe  two blanks\r\n1\r\nMy Tools\\app.exe --go now\r\n2\r\n"
                          "tools dir\\runner\r\n3\r\nv1.2\\run me.exe\r\n4\r\n#end"));
}

TEST(ReadShortcutList, AnEmptyLineTakesItsPlaceAsTargetOrCaption)
{
  EXPECT_EQ("||Caption;b.exe||;", ReadShortcuts("#Shortcuts\r\n\r\nCaption\r\nb.exe\r\n\r\n#end"));
}

TEST(ReadShortcutList, LongLinesAreKeptWhole)
{
  std::string target(300, 't'), arguments(400, 'a'), caption(300, 'c');
  EXPECT_EQ(target + ".exe|" + arguments + "|" + caption + ";",
            ReadShortcuts("#Shortcuts\r\n" + target + ".exe " + arguments + "\r\n" + caption + "\r\n#end"));
}

TEST(ReadShortcutList, ManyRecordsKeepTheirOrder)
{
  std::string text = "#Shortcuts\r\n", expected;
  for (int i = 0; i < 100; ++i) {
    text += "f" + std::to_string(i) + ".exe\r\nC" + std::to_string(i) + "\r\n";
    expected += "f" + std::to_string(i) + ".exe||C" + std::to_string(i) + ";";
  }
  EXPECT_EQ(expected, ReadShortcuts(text + "#end"));
}

TEST(ParseScript, TheDescriptiveKeysChangeNoField)
{
  // #Version, #Publisher, #URL, #Icon and #Scope are the packaging tool's;
  // between setup's sections they end a list as any '#' line does.
  const std::string plain =
      "#AppName\r\nDemo\r\n#Shortcuts\r\napp.exe\r\nApp\r\n#GeneratedFiles\r\napp.ini\r\n#Agreement\r\nTerms\r\n";
  const std::string described =
      "#Version\r\n1.2.3\r\n#AppName\r\nDemo\r\n#Publisher\r\nDemo Makers\r\n#Shortcuts\r\napp.exe\r\nApp\r\n"
      "#URL\r\nhttps://example.org/\r\n#GeneratedFiles\r\napp.ini\r\n#Icon\r\napp.exe,0\r\n#Agreement\r\nTerms\r\n"
      "#Scope\r\nuser\r\n";
  auto Fields = [](const std::string& text) {
    CSetupData data;
    CString agreement;
    data.ParseScript((text + "#end").c_str(), agreement);
    std::string generated;
    for (int32_t i = 0; i < data.m_nGeneratedFiles; ++i)
      generated += Text(*data.m_ppGeneratedFiles[i]) + ";";
    return Text(data.m_strAppName) + "|" + Shortcuts(data.m_pShortcuts, data.m_nShortcuts) + "|" + generated + "|" +
           Text(data.m_strLanguage) + "|" + Text(data.m_strDefaultDest) + "|" + Text(agreement) + "|" +
           std::to_string(data.m_nStartupShortcuts + data.m_nDesktopShortcuts + data.m_nFonts);
  };
  EXPECT_EQ("Demo|app.exe||App;|app.ini;|ENG|ProgramFiles|Terms\r\n|0", Fields(plain));
  EXPECT_EQ(Fields(plain), Fields(described));
}
