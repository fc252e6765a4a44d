// What mkinstaller refuses, each with a message that names the file (and
// line), and what it only warns about.
#include <gtest/gtest.h>

#include <stdio.h>
#include <unistd.h>

#include "ToolRun.h"
#include "tools/mkinstaller/WindowsNames.h"

namespace fs = std::filesystem;

namespace {
class MkinstallerRefusal : public ::testing::Test
{
protected:
  void SetUp() override
  {
    dir.MakeStub();
    WriteBytes(dir / "payload/uninstall.exe", "MZ uninstaller");
    WriteBytes(dir / "payload/app.exe", "MZ app");
  }

  ToolResult Build(const std::string& script, const std::vector<std::string>& more = {})
  {
    WriteBytes(dir / "script.txt", script);
    std::vector<std::string> args = {"build",     "--stub",  "stub.exe", "--script", "script.txt",
                                     "--payload", "payload", "-o",       "out.exe"};
    args.insert(args.end(), more.begin(), more.end());
    return dir.Run(args);
  }

  // Refused with exit code 1 and this message; no output file left behind.
  void ExpectRefused(const ToolResult& r, const std::string& message)
  {
    EXPECT_EQ(1, r.code) << r.err;
    EXPECT_NE(std::string::npos, r.err.find("mkinstaller: " + message)) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.exe"));
    for (const auto& e : fs::directory_iterator(dir.Root()))
      EXPECT_EQ(std::string::npos, e.path().filename().string().find(".tmp")) << e.path();
  }

  ToolFolder dir;
};

const std::string kHead = "#AppName\nApp\n#Shortcuts\napp.exe\nApp\n";
}  // namespace

TEST_F(MkinstallerRefusal, ScriptContentThatSetupCannotRead)
{
  ExpectRefused(Build(kHead + "#GeneratedFiles\na" + std::string(1, '\0') + "b\n"), "script.txt:7: NUL byte");
  ExpectRefused(Build(kHead + "#Agreement\nsee " + MarkerText('2') + "\n"), "script.txt:7: holds an overlay marker");
  ExpectRefused(Build("#AppName\r\nbroken \xC3(\r\n"), "script.txt:2: not valid UTF-8");
  ExpectRefused(Build("#AppName\nsurrogate \xED\xA0\x80\n"), "script.txt:2: not valid UTF-8");
}

TEST_F(MkinstallerRefusal, ShortcutsLongerThanTheShellLinks)
{
  // The shell's limit counts UTF-16 units: an emoji takes two.
  std::string emoji = "\xF0\x9F\x98\x80";
  std::string captionOfUnits259 = "c";
  for (int i = 0; i < 129; ++i)
    captionOfUnits259 += emoji;
  ExpectRefused(Build(kHead + std::string(256, 't') + ".exe\nCaption\n"),
                "script.txt:6: shortcut target longer than 259 UTF-16 units");
  ExpectRefused(Build(kHead + "#DesktopShortcuts\napp.exe\n" + emoji + captionOfUnits259 + "\n"),
                "script.txt:8: shortcut caption longer than 259 UTF-16 units");

  // The limits themselves are fine; other fields have none, and any
  // character goes.
  ToolResult atLimit =
      Build("#AppName\n" + std::string(1000, 'n') + "\n#Shortcuts\napp.exe " + std::string(2000, 'a') + "\n" +
            captionOfUnits259 + "\n#GeneratedFiles\n" + std::string(1000, 'g') + "\n#Agreement\n\xCE\xA9\n");
  EXPECT_EQ(0, atLimit.code) << atLimit.err;
}

TEST_F(MkinstallerRefusal, DescriptiveKeysWithValuesOutOfForm)
{
  const std::pair<std::string, std::string> cases[] = {
      {"#Version\n1.2.3.4.5\n", "script.txt:7: version \"1.2.3.4.5\" has more than 4 parts"},
      {"#Version\n1.65536\n", "script.txt:7: version \"1.65536\" is not 1 to 4 dotted numbers from 0 to 65535"},
      {"#Version\n1..2\n", "script.txt:7: version \"1..2\" is not 1 to 4 dotted numbers"},
      {"#Version\n#end\n", "script.txt:6: \"#Version\" needs its value on the line after it"},
      {"#Publisher\n \n", "script.txt:7: empty publisher"},
      {"#URL\nftp://example.org/\n", "script.txt:7: URL \"ftp://example.org/\" does not start with http://"},
      {"#URL\nhttps://example.org/a b\n", "script.txt:7: URL \"https://example.org/a b\" has a blank"},
      {"#Icon\nmissing.ico\n", "script.txt:7: icon file \"missing.ico\" is not in the payload"},
      {"#Icon\napp.exe,first\n", "script.txt:7: icon index \"first\" is not an integer"},
      {"#Scope\nAll Users\n", "script.txt:7: scope \"All Users\" is neither user nor machine"},
  };
  for (const auto& c : cases)
    ExpectRefused(Build(kHead + c.first), c.second);
  // Values in their form, and no warning about the keys.
  ToolResult r = Build(
      kHead + "#Version\n0.9.65535\n#Publisher\nP\n#URL\nHTTP://example.org\n#Icon\nApp.exe,-3\n#Scope\nmachine\n");
  EXPECT_EQ(0, r.code) << r.err;
  EXPECT_EQ("", r.err);
}

TEST_F(MkinstallerRefusal, NoStubOrUninstallerToBeFound)
{
  fs::remove(dir / "payload/uninstall.exe");
  ExpectRefused(Build(kHead), "payload: no uninstall.exe at its top, and none beside stub.exe to add");
  ExpectRefused(dir.Run({"build", "--stub", "stub.exe", "--script", "script.txt", "--payload", "payload",
                         "--uninstaller", "missing.exe", "-o", "out.exe"}),
                "missing.exe: cannot be read");
  // A tool neither installed beside its stubs nor in a build tree.
  fs::create_directories(dir / "bin");
  fs::copy_file(MKINSTALLER, dir / "bin/mkinstaller");
  fs::permissions(dir / "bin/mkinstaller", fs::perms::owner_exec, fs::perm_options::add);
  ExpectRefused(dir.RunProgram((dir / "bin/mkinstaller").string(),
                               {"build", "--script", "script.txt", "--payload", "payload", "-o", "out.exe"}),
                "--stub: not given, and no installed setup.exe found (looked for " +
                    (fs::canonical(dir.Root()) / "share/mkinstaller/setup.exe").string() + ")");
}

TEST_F(MkinstallerRefusal, ManifestsNeedAVersionAPublisherAndAWindowsProgram)
{
  const std::string described = kHead + "#Version\n1.0\n#Publisher\nP Co\n";
  const std::string url = "https://example.org/setup.exe";
  const struct
  {
    bool pe;
    std::string script, id, url, message;
  } cases[] = {
      {true, kHead + "#Publisher\nP Co\n", "P.App", url, "out.exe: its script has no #Version"},
      {true, kHead + "#Version\n1.0\n", "P.App", url, "out.exe: its script has no #Publisher"},
      {true, kHead + "#Version\n1.0\n#Publisher\nP\n", "P.App", url,
       "out.exe: #Publisher: \"P\": a manifest takes 2 to 256 characters, not 1"},
      {true, described, "NoDot", url, "--id: \"NoDot\" is not a package identifier"},
      {true, described, "P.My App", url, "--id: \"P.My App\" is not a package identifier"},
      {true, described, "P.App", "file:///setup.exe", "--url: URL \"file:///setup.exe\" does not start with http://"},
      {false, described, "P.App", url, "out.exe: not a Windows program"},
  };
  for (const auto& c : cases) {
    c.pe ? dir.MakePeStub() : dir.MakeStub();
    fs::remove(dir / "out.exe");
    ASSERT_EQ(0, Build(c.script).code) << c.message;
    ToolResult r = dir.Run({"manifest", "out.exe", "--id", c.id, "--url", c.url, "-o", "manifests"});
    EXPECT_EQ(1, r.code) << c.message;
    EXPECT_NE(std::string::npos, r.err.find("mkinstaller: " + c.message)) << r.err;
    EXPECT_FALSE(fs::exists(dir / "manifests")) << c.message;
  }
}

TEST_F(MkinstallerRefusal, AStubWithMarkerText)
{
  WriteBytes(dir / "stub.exe", "MZ....." + MarkerText('1') + "....");
  ExpectRefused(Build(kHead), "stub.exe: holds the overlay marker text at offset 7");
  // Marker 1 would complete the stub's last bytes to a marker 2 in front of it.
  WriteBytes(dir / "stub.exe", "MZ...." + MarkerText('2').substr(0, 9));
  ExpectRefused(Build(kHead), "stub.exe: its last bytes and the first marker read together as a marker");
}

TEST_F(MkinstallerRefusal, PayloadNamesThatWindowsCannotHold)
{
  const struct
  {
    std::string file, refused, message;  // refused: the file or folder named
  } cases[] = {
      {"bad\xC3(.txt", "bad\xC3(.txt", "name is not valid UTF-8"},
      {"what?.txt", "what?.txt", "name has the character '?', which Windows does not allow in file names"},
      {"a|b", "a|b", "name has the character '|'"},
      {"back\\slash", "back\\slash", "name has the character '\\'"},
      {"tab\there", "tab\there", "name has the control character U+0009"},
      {"nul.txt", "nul.txt", "name is the device NUL to Windows, which no file or folder can be"},
      {"Com7", "Com7", "name is the device COM7"},
      {"lpt\xC2\xB9.log", "lpt\xC2\xB9.log", "name is the device LPT\xC2\xB9"},
      {"Aux/inside.txt", "Aux", "name is the device AUX"},
      {"dot./x.txt", "dot.", "name ends in a dot or a blank, which Windows drops from file names"},
      {"blank ", "blank ", "name ends in a dot or a blank"},
      // Case as Windows ignores it, beyond ASCII too.
      {"App.EXE", "app.exe", "differs only in case from payload/App.EXE, which Windows cannot keep apart"},
      {"\xC3\x84rger.txt", "\xC3\xA4rger.txt", "differs only in case from payload/\xC3\x84rger.txt"},
  };
  WriteBytes(dir / "payload/\xC3\xA4rger.txt", "");
  for (const auto& c : cases) {
    WriteBytes(dir / "payload" / c.file, "");
    ExpectRefused(Build(kHead), "payload/" + c.refused + ": " + c.message);
    fs::remove_all(dir / "payload" / c.file.substr(0, c.file.find('/')));
  }
  // Names that only look alike are two: "Stra\xC3\x9F" and "STRASSE" (no simple case mapping
  // joins them), a precomposed and a combining e-acute.
  for (const char* name : {"Stra\xC3\x9F"
                           "e",
                           "STRASSE", "caf\xC3\xA9", "cafe\xCC\x81", "con-tent.txt", "lpt10"})
    WriteBytes(dir / "payload" / name, "");
  ToolResult r = Build(kHead);
  EXPECT_EQ(0, r.code) << r.err;
  fs::remove(dir / "out.exe");

  fs::create_symlink("app.exe", dir / "payload/link.exe");
  ExpectRefused(Build(kHead), "payload/link.exe: symbolic links cannot be installed");
}

TEST(WindowsNames, LengthsCountUtf16UnitsAndTheArchivesBytes)
{
  // Names this long cannot be made on the host's file systems; the rules
  // are checked here directly.
  auto Repeat = [](const std::string& s, size_t n) {
    std::string r;
    for (size_t i = 0; i < n; ++i)
      r += s;
    return r;
  };
  const std::string emoji = "\xF0\x9F\x98\x80", sun = "\xE6\x97\xA5";  // two UTF-16 units; one, in 3 bytes
  EXPECT_EQ("", ComponentProblem(std::string(255, 'x')));
  EXPECT_EQ("", ComponentProblem(Repeat(emoji, 127) + "x"));
  EXPECT_EQ("name longer than 255 UTF-16 units, the most Windows takes for a file or folder name",
            ComponentProblem(Repeat(emoji, 128)));
  EXPECT_EQ("", NameLengthProblem(Repeat("d/", 16000)));
  EXPECT_EQ("entry name longer than 32000 UTF-16 units, more than Windows' paths hold",
            NameLengthProblem(Repeat(emoji + "/", 10667)));
  EXPECT_EQ("", NameLengthProblem(Repeat(sun, 21845)));
  EXPECT_EQ("entry name longer than 65535 bytes, the most the archive can record",
            NameLengthProblem(Repeat(sun, 21846)));
}

TEST_F(MkinstallerRefusal, PayloadsBeyondSetupsCounts)
{
  // A sparse file brings the total to 2 GiB exactly at uninstall.exe, the
  // last file: refused there, before anything is read.
  WriteBytes(dir / "payload/huge.bin", "");
  ASSERT_EQ(0, truncate((dir / "payload/huge.bin").c_str(), 0x80000000LL - 20));
  ExpectRefused(Build(kHead), "payload/uninstall.exe: the payload reaches 2 GiB here");
  fs::remove(dir / "payload/huge.bin");

  // 65535 entries fit; one more does not (the entry where the count runs
  // over is named: uninstall.exe comes last).
  fs::create_directories(dir / "payload/many");
  for (int i = 0; i < 65535 - 3; ++i)
    fclose(fopen((dir / "payload/many" / std::to_string(i)).c_str(), "wb"));
  ToolResult full = Build(kHead);
  EXPECT_EQ(0, full.code) << full.err;
  fs::remove(dir / "out.exe");
  WriteBytes(dir / "payload/one-more", "");
  ExpectRefused(Build(kHead), "payload/uninstall.exe: more than 65535 files and folders");
}

TEST_F(MkinstallerRefusal, WarningsNameTheLineAndTheBuildGoesOn)
{
  ToolResult r = Build(
      "#AppName\nApp\n#Shortcuts\nmissing.exe\nMissing\napp.exe\n#Colour\nblue\n"
      "#InstallFonts\nfont.ttf\n#Agreement\nTerms #1 apply\n#end\n");
  ASSERT_EQ(0, r.code) << r.err;
  for (const char* warning : {"warning: script.txt:4: shortcut target \"missing.exe\" is not in the payload",
                              "warning: script.txt:6: shortcut target without a caption line: setup ignores it",
                              "warning: script.txt:7: unknown key \"#Colour\"",
                              "warning: script.txt:10: font \"font.ttf\" is not in the payload",
                              "warning: script.txt:12: the agreement text ends at the '#' in this line"})
    EXPECT_NE(std::string::npos, r.err.find(warning)) << warning << "\n" << r.err;
  EXPECT_TRUE(fs::exists(dir / "out.exe"));
}

TEST_F(MkinstallerRefusal, AnExistingOutputSurvivesARefusal)
{
  WriteBytes(dir / "out.exe", "previous installer");
  WriteBytes(dir / "script.txt", "#AppName\nbroken \xC3(\n");
  ToolResult r =
      dir.Run({"build", "--stub", "stub.exe", "--script", "script.txt", "--payload", "payload", "-o", "out.exe"});
  EXPECT_EQ(1, r.code);
  EXPECT_EQ("previous installer", ReadBytes(dir / "out.exe"));
}

TEST_F(MkinstallerRefusal, UsageErrorsAndUnreadableInstallers)
{
  EXPECT_EQ(2, dir.Run({}).code);
  EXPECT_EQ(2, dir.Run({"build", "--stub", "stub.exe"}).code);
  EXPECT_EQ(2, dir.Run({"frobnicate", "x"}).code);
  EXPECT_EQ(2, dir.Run({"manifest"}).code);
  EXPECT_EQ(2, dir.Run({"manifest", "x.exe", "--id", "P.App", "--url"}).code);
  EXPECT_EQ(2, dir.Run({"manifest", "x.exe", "--id", "P.App", "-o", "m"}).code) << "no --url";
  // Asked for, the usage goes to stdout and is no error.
  ToolResult help = dir.Run({"--help"});
  EXPECT_EQ(0, help.code);
  EXPECT_EQ(0u, help.out.find("usage: mkinstaller build")) << help.out;
  EXPECT_EQ("", help.err);
  EXPECT_EQ(help.out, dir.Run({"-h"}).out);
  ToolResult r = dir.Run({"verify", "stub.exe"});
  EXPECT_EQ(1, r.code);
  EXPECT_NE(std::string::npos, r.err.find("mkinstaller: stub.exe: setup would say: The installation file is corrupt!"));
  r = dir.Run({"list", "missing.exe"});
  EXPECT_EQ(1, r.code);
  EXPECT_NE(std::string::npos,
            r.err.find("mkinstaller: missing.exe: setup would say: Source file could not be opened!"));
}
