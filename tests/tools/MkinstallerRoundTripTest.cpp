// mkinstaller build, list, verify and extract over a real folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>
#include <algorithm>
#include <cstdlib>
#include <random>

#include "InstallerVersion.h"
#include "ToolRun.h"

namespace fs = std::filesystem;

namespace {
// 2021-05-06 07:08:10 UTC: even seconds, as MS-DOS times hold them.
const time_t kFileTime = 1620284890;
// "Пустая папка"
const std::string kEmptyFolder =
    "\320\237\321\203\321\201\321\202\320\260\321\217 "
    "\320\277\320\260\320\277\320\272\320\260";

std::string RandomBytes(size_t n, unsigned seed)
{
  std::mt19937 rng(seed);
  std::string s;
  while (s.size() < n)
    s += (char)(rng() & 0xFF);
  return s;
}

void SetTime(const fs::path& p, time_t t)
{
  struct utimbuf times = {t, t};
  utime(p.c_str(), &times);
}

time_t ModTime(const fs::path& p)
{
  struct stat st;
  return stat(p.c_str(), &st) == 0 ? st.st_mtime : -1;
}

bool OwnerCanWrite(const fs::path& p)
{
  return (fs::status(p).permissions() & fs::perms::owner_write) != fs::perms::none;
}

class MkinstallerRoundTrip : public ::testing::Test
{
protected:
  void SetUp() override
  {
    payload = dir / "payload";
    files = {
        {"uninstall.exe", RandomBytes(3000, 1)},
        {"viewer.exe", RandomBytes(20000, 2)},
        {"docs/readme.txt", std::string(5000, 'r') + "\nend\n"},
        // Names beyond ASCII: German, Greek, an emoji (two UTF-16 units) and
        // Japanese, an e with a combining accent, and Cyrillic (below).
        {"docs/Gr\303\274\303\237e.txt", "Umlaute im Namen\n"},
        {"docs/\316\225\316\273\316\273\316\267\316\275\316\271\316\272\316\254/"
         "\360\237\230\200 \346\227\245\346\234\254\350\252\236.dat",
         ""},
        {"data/cafe\314\201.cfg", "read only\n"},
    };
    for (const auto& f : files)
      WriteBytes(payload / f.first, f.second);
    fs::create_directories(payload / kEmptyFolder);
    fs::permissions(payload / "data/cafe\314\201.cfg",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    for (const auto& e : fs::recursive_directory_iterator(payload))
      SetTime(e.path(), kFileTime);
    // UTF-8 with LF line ends and no "#end": the tool brings it into setup's form.
    WriteBytes(dir / "script.txt",
               "#AppName\nD\xC3\xA9mo Viewer\n#Shortcuts\nviewer.exe /safe\nViewer\nuninstall.exe\nUninstall\n"
               "#GeneratedFiles\nviewer.ini\n#Agreement\nYou agree \xE2\x80\x93 fully.\n");
    dir.MakeStub();
  }

  ToolResult Build(const std::string& out, const std::string& env = "", const std::vector<std::string>& more = {})
  {
    std::vector<std::string> args = {"build",     "--stub",  "stub.exe", "--script", "script.txt",
                                     "--payload", "payload", "-o",       out};
    args.insert(args.end(), more.begin(), more.end());
    return dir.Run(args, env);
  }

  ToolFolder dir;
  fs::path payload;
  std::vector<std::pair<std::string, std::string>> files;
};
}  // namespace

TEST_F(MkinstallerRoundTrip, BuildsAnInstallerInSetupsForm)
{
  ToolResult r = Build("setup.exe");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("", r.err) << "a complete payload and script give no warning, and no progress off a terminal";
  // The stub used, with its version (random bytes have none), then one summary line.
  const std::string stubLine = "stub: stub.exe (unknown version)\n";
  EXPECT_EQ(0u, r.out.find(stubLine + "setup.exe: 10 entries, 28.0 KB in, ")) << r.out;
  EXPECT_EQ(r.out.size() - 1, r.out.find('\n', stubLine.size())) << r.out;

  std::string image = ReadBytes(dir / "setup.exe");
  std::string stub = ReadBytes(dir / "stub.exe");
  ASSERT_EQ(0, image.compare(0, stub.size(), stub));
  // The script in UTF-8 behind its byte-order mark, with CR LF, "#end" last
  // and marker 2 right behind it.
  std::string script =
      "\xEF\xBB\xBF#AppName\r\nD\xC3\xA9mo Viewer\r\n#Shortcuts\r\nviewer.exe /safe\r\nViewer\r\nuninstall.exe\r\n"
      "Uninstall\r\n#GeneratedFiles\r\nviewer.ini\r\n#Agreement\r\nYou agree \xE2\x80\x93 fully.\r\n#end";
  EXPECT_EQ(MarkerText('1') + script + MarkerText('2') + "PK\x03\x04",
            image.substr(stub.size(), 10 + script.size() + 10 + 4));
}

TEST_F(MkinstallerRoundTrip, TheArchiveIsWhatSetupAndOtherReadersExpect)
{
  ASSERT_EQ(0, Build("setup.exe").code);
  // Python's zipfile finds the archive behind the stub on its own.
  WriteBytes(dir / "inspect.py",
             "import zipfile\n"
             "for i in zipfile.ZipFile('setup.exe').infolist():\n"
             "  print(i.filename.encode().hex(), i.flag_bits & 0x800, i.create_system, i.external_attr,\n"
             "        i.compress_type, i.date_time[0])\n");
  std::string cmd = "cd '" + dir.Root().string() + "' && python3 inspect.py > listing.txt";
  ASSERT_EQ(0, system(cmd.c_str()));
  std::string listing = ReadBytes(dir / "listing.txt");
  auto hex = [](const std::string& s) {
    std::string h;
    char buf[3];
    for (unsigned char c : s)
      snprintf(buf, sizeof(buf), "%02x", c), h += buf;
    return h;
  };
  // Sorted byte-wise, a "dir/" entry for every folder, UTF-8 names flagged
  // as such where they are not ASCII, made by DOS, DOS attributes; deflated
  // only where it helps.
  std::string expected;
  auto line = [&](const std::string& name, int attr, int method) {
    bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return (unsigned char)c < 0x80; });
    expected +=
        hex(name) + (ascii ? " 0 0 " : " 2048 0 ") + std::to_string(attr) + " " + std::to_string(method) + " 2021\n";
  };
  line("data/", 0x10, 0);
  line("data/cafe\314\201.cfg", 0x21, 0);
  line("docs/", 0x10, 0);
  line(files[3].first, 0x20, 0);
  line("docs/readme.txt", 0x20, 8);
  line(files[4].first.substr(0, files[4].first.find('/', 5) + 1), 0x10, 0);
  line(files[4].first, 0x20, 0);
  line("uninstall.exe", 0x20, 0);
  line("viewer.exe", 0x20, 0);
  line(kEmptyFolder + "/", 0x10, 0);
  EXPECT_EQ(expected, listing);
}

TEST_F(MkinstallerRoundTrip, ListVerifyAndExtractGiveBackTheFolder)
{
  ASSERT_EQ(0, Build("setup.exe").code);

  ToolResult list = dir.Run({"list", "setup.exe"});
  ASSERT_EQ(0, list.code) << list.err;
  EXPECT_NE(std::string::npos, list.out.find("AppName: \"D\xC3\xA9mo Viewer\""));
  EXPECT_NE(std::string::npos, list.out.find("target \"viewer.exe\" arguments \"/safe\" caption \"Viewer\""));
  EXPECT_NE(std::string::npos, list.out.find("Agreement: 22 bytes")) << list.out;
  EXPECT_NE(std::string::npos, list.out.find("        5005  docs\\readme.txt")) << list.out;
  EXPECT_NE(std::string::npos, list.out.find("Entries: 10, 28032 bytes")) << list.out;
  std::string shown = files[4].first;
  std::replace(shown.begin(), shown.end(), '/', '\\');
  EXPECT_NE(std::string::npos, list.out.find("           0  " + shown + "\n")) << list.out;

  ToolResult verify = dir.Run({"verify", "setup.exe"});
  ASSERT_EQ(0, verify.code) << verify.err;
  EXPECT_NE(std::string::npos, verify.out.find("10 entries"));

  ToolResult extract = dir.Run({"extract", "setup.exe", "out"});
  ASSERT_EQ(0, extract.code) << extract.err;
  for (const auto& f : files) {
    fs::path p = dir / "out" / f.first;
    EXPECT_EQ(f.second, ReadBytes(p)) << f.first;
    EXPECT_EQ(kFileTime, ModTime(p)) << f.first;
  }
  EXPECT_TRUE(fs::is_directory(dir / "out" / kEmptyFolder));
  EXPECT_FALSE(OwnerCanWrite(dir / "out/data/cafe\314\201.cfg"));
  EXPECT_TRUE(OwnerCanWrite(dir / "out/docs/readme.txt"));
}

TEST_F(MkinstallerRoundTrip, AnInstallerWithAnAnsiScriptReadsAsBefore)
{
  // Installers of the previous release hold the script in Windows-1252 and
  // without a byte-order mark: this one's script put into that form.
  ASSERT_EQ(0, Build("setup.exe").code);
  std::string image = ReadBytes(dir / "setup.exe");
  size_t script = image.find(MarkerText('1')) + 10, end = image.find(MarkerText('2'));
  ASSERT_EQ("\xEF\xBB\xBF", image.substr(script, 3));
  const std::string ansi =
      "#AppName\r\nD\xE9mo Viewer\r\n#Shortcuts\r\nviewer.exe /safe\r\nViewer\r\nuninstall.exe\r\n"
      "Uninstall\r\n#GeneratedFiles\r\nviewer.ini\r\n#Agreement\r\nYou agree \x96 fully.\r\n#end";
  WriteBytes(dir / "previous.exe", image.substr(0, script) + ansi + image.substr(end));
  ToolResult now = dir.Run({"list", "setup.exe"}), previous = dir.Run({"list", "previous.exe"});
  ASSERT_EQ(0, previous.code) << previous.err;
  EXPECT_EQ(now.out, previous.out);
  EXPECT_EQ(0, dir.Run({"verify", "previous.exe"}).code);
}

TEST_F(MkinstallerRoundTrip, SourceDateEpochMakesBuildsIdentical)
{
  const std::string env = "SOURCE_DATE_EPOCH=1700000000";  // 2023-11-14 22:13:20 UTC
  ASSERT_EQ(0, Build("one.exe", env).code);
  for (const auto& e : fs::recursive_directory_iterator(payload))
    SetTime(e.path(), kFileTime + 86400);
  ASSERT_EQ(0, Build("two.exe", env).code);
  EXPECT_EQ(ReadBytes(dir / "one.exe"), ReadBytes(dir / "two.exe"));

  ASSERT_EQ(0, dir.Run({"extract", "one.exe", "out"}, "TZ=UTC").code);
  EXPECT_EQ(1700000000, ModTime(dir / "out/viewer.exe"));
}

TEST_F(MkinstallerRoundTrip, VerifyFindsADamagedEntry)
{
  ASSERT_EQ(0, Build("setup.exe").code);
  std::string image = ReadBytes(dir / "setup.exe");
  // uninstall.exe is stored: flip one byte of its data, found by its first bytes.
  size_t at = image.find(RandomBytes(3000, 1).substr(0, 64));
  ASSERT_NE(std::string::npos, at);
  image[at + 100] ^= 0x55;
  WriteBytes(dir / "damaged.exe", image);
  ToolResult r = dir.Run({"verify", "damaged.exe"});
  EXPECT_EQ(1, r.code);
  EXPECT_NE(std::string::npos, r.err.find("mkinstaller: damaged.exe: entry \"uninstall.exe\": archive error, cause 11"))
      << r.err;
}

TEST_F(MkinstallerRoundTrip, TheUninstallerBesideTheStubIsAddedWhenThePayloadHasNone)
{
  fs::remove_all(payload);
  fs::create_directories(payload);
  // Read-only and with its own time: it is packed as payload files are.
  const std::string uninstaller = RandomBytes(3000, 1);
  WriteBytes(dir / "uninstall.exe", uninstaller);
  SetTime(dir / "uninstall.exe", kFileTime);
  fs::permissions(dir / "uninstall.exe", fs::perms::owner_write, fs::perm_options::remove);
  WriteBytes(dir / "script.txt", "#AppName\nEmpty\n#Shortcuts\nuninstall.exe\nUninstall\n");
  ToolResult r = Build("setup.exe");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("", r.err) << "the shortcut finds the uninstaller";
  EXPECT_NE(std::string::npos, r.out.find("uninstaller: ./uninstall.exe (unknown version), added as uninstall.exe\n"))
      << r.out;
  ToolResult list = dir.Run({"list", "setup.exe"});
  EXPECT_NE(std::string::npos, list.out.find("Entries: 1, 3000 bytes\n        3000  uninstall.exe\n")) << list.out;
  ASSERT_EQ(0, dir.Run({"extract", "setup.exe", "out"}).code);
  EXPECT_EQ(uninstaller, ReadBytes(dir / "out/uninstall.exe"));
  EXPECT_EQ(kFileTime, ModTime(dir / "out/uninstall.exe"));
  EXPECT_FALSE(OwnerCanWrite(dir / "out/uninstall.exe"));

  // --uninstaller names another; the payload's own wins over both.
  WriteBytes(dir / "other.exe", "MZ other");
  ASSERT_EQ(0, Build("other.exe.out", "", {"--uninstaller", "other.exe"}).code);
  ASSERT_EQ(0, dir.Run({"extract", "other.exe.out", "other"}).code);
  EXPECT_EQ("MZ other", ReadBytes(dir / "other/uninstall.exe"));
  WriteBytes(payload / "uninstall.exe", "MZ own");
  r = Build("own.exe", "", {"--uninstaller", "other.exe"});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.err.find("warning: other.exe: not added: the payload has its own uninstall.exe"))
      << r.err;
  ASSERT_EQ(0, dir.Run({"extract", "own.exe", "own"}).code);
  EXPECT_EQ("MZ own", ReadBytes(dir / "own/uninstall.exe"));
}

TEST_F(MkinstallerRoundTrip, ProgressShowsOnATerminal)
{
  // script(1) gives the tool a terminal; the line is redrawn in place.
  std::string cmd =
      std::string(MKINSTALLER) + " build --stub stub.exe --script script.txt --payload payload -o setup.exe";
  ASSERT_EQ(0, dir.Shell("script -qec '" + cmd + "' /dev/null > terminal.txt"));
  std::string shown = ReadBytes(dir / "terminal.txt");
  EXPECT_NE(std::string::npos, shown.find("\rpacking: 0/10 entries, 0 bytes of 28.0 KB, estimating time left"))
      << shown;
  EXPECT_NE(std::string::npos, shown.find("\rverifying: 0/10 entries")) << shown;
  EXPECT_NE(std::string::npos,
            shown.find("\r\033[Kstub: stub.exe (unknown version)\r\nsetup.exe: 10 entries, 28.0 KB in, "))
      << shown;
}

TEST_F(MkinstallerRoundTrip, TheThreadCountDoesNotChangeTheArchive)
{
  // Files of several chunks, one that deflates and one that must be stored:
  // the chunks' seams and the fallback to storing are in play.
  std::string log;
  for (int i = 0; log.size() < (5u << 19); ++i)
    log += "entry " + std::to_string(i) + " written by thread " + std::to_string(i % 7) + "\n";
  WriteBytes(payload / "big/text.log", log);
  WriteBytes(payload / "big/noise.bin", RandomBytes(3u << 19, 3));
  const std::string env = "SOURCE_DATE_EPOCH=1700000000 MKINSTALLER_THREADS=";
  ASSERT_EQ(0, Build("one.exe", env + "1").code);
  ToolResult r = Build("four.exe", env + "4");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(ReadBytes(dir / "one.exe"), ReadBytes(dir / "four.exe"));

  // Another inflater reads the joined chunks as one stream.
  WriteBytes(dir / "check.py",
             "import zipfile\n"
             "z = zipfile.ZipFile('four.exe')\n"
             "print(z.testzip(), z.getinfo('big/text.log').compress_type, z.getinfo('big/noise.bin').compress_type)\n");
  ASSERT_EQ(0, dir.Shell("python3 check.py > check.txt"));
  EXPECT_EQ("None 8 0\n", ReadBytes(dir / "check.txt"));
  ASSERT_EQ(0, dir.Run({"extract", "four.exe", "out"}).code);
  EXPECT_EQ(log, ReadBytes(dir / "out/big/text.log"));
  EXPECT_EQ(RandomBytes(3u << 19, 3), ReadBytes(dir / "out/big/noise.bin"));

  r = Build("bad.exe", "MKINSTALLER_THREADS=0");
  EXPECT_EQ(1, r.code);
  EXPECT_NE(std::string::npos, r.err.find("mkinstaller: MKINSTALLER_THREADS: not a number of threads from 1 to 256"))
      << r.err;
}

TEST_F(MkinstallerRoundTrip, ASignedInstallerVerifiesAndExtractsTheSameFiles)
{
  dir.MakePeStub();
  ASSERT_EQ(0, Build("setup.exe").code);
  ASSERT_EQ(0, dir.Shell("openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 "
                         "-subj /CN=mkinstaller-test > openssl.log 2>&1"));
  ASSERT_EQ(0,
            dir.Shell("osslsigncode sign -certs cert.pem -key key.pem -in setup.exe -out signed.exe > sign.log 2>&1"))
      << ReadBytes(dir / "sign.log");
  // The certificate is its own authority; the digest covers the archive.
  EXPECT_EQ(0, dir.Shell("osslsigncode verify -CAfile cert.pem -in signed.exe > check.log 2>&1"));
  std::string check = ReadBytes(dir / "check.log");
  EXPECT_NE(std::string::npos, check.find("Signature verification: ok")) << check;
  ASSERT_GT(fs::file_size(dir / "signed.exe"), fs::file_size(dir / "setup.exe")) << "the certificate table follows";

  ToolResult verify = dir.Run({"verify", "signed.exe"});
  EXPECT_EQ(0, verify.code) << verify.err;
  EXPECT_NE(std::string::npos, verify.out.find("10 entries, 28032 bytes, all checksums match")) << verify.out;
  ASSERT_EQ(0, dir.Run({"extract", "signed.exe", "signed"}).code);
  ASSERT_EQ(0, dir.Run({"extract", "setup.exe", "unsigned"}).code);
  for (const auto& f : files) {
    EXPECT_EQ(f.second, ReadBytes(dir / "signed" / f.first)) << f.first;
    EXPECT_EQ(ModTime(dir / "unsigned" / f.first), ModTime(dir / "signed" / f.first)) << f.first;
  }
}

TEST_F(MkinstallerRoundTrip, ExtractTakesArchivesOfJarAndBsdtarWithTheirFolders)
{
  // An installer whose archive another tool made: the stub and script of a
  // build, then the archive of jar or bsdtar, which mark folders only by the
  // trailing "/" of their names. ASCII names: jar writes UTF-8 ones.
  ASSERT_EQ(0, Build("setup.exe").code);
  std::string image = ReadBytes(dir / "setup.exe");
  size_t at = image.find(MarkerText('2'));
  ASSERT_NE(std::string::npos, at);
  image.resize(at + MarkerText('2').size());
  WriteBytes(dir / "foreign/readme.txt", "made elsewhere\n");
  WriteBytes(dir / "foreign/docs/guide/page.txt", "a page\n");
  fs::create_directories(dir / "foreign/empty");
  const std::pair<std::string, std::string> tools[] = {
      {"jar", "jar --create --no-manifest --file ../jar.zip -C . ."},
      {"bsdtar", "bsdtar --format zip -cf ../bsdtar.zip *"},
  };
  for (const auto& tool : tools) {
    std::string command = "cd '" + (dir / "foreign").string() + "' && " + tool.second;
    ASSERT_EQ(0, std::system(command.c_str())) << command;
    WriteBytes(dir / (tool.first + ".exe"), image + ReadBytes(dir / (tool.first + ".zip")));
    ToolResult r = dir.Run({"extract", tool.first + ".exe", "out-" + tool.first});
    ASSERT_EQ(0, r.code) << tool.first << ": " << r.err;
    fs::path out = dir / ("out-" + tool.first);
    EXPECT_EQ("made elsewhere\n", ReadBytes(out / "readme.txt")) << tool.first;
    EXPECT_EQ("a page\n", ReadBytes(out / "docs/guide/page.txt")) << tool.first;
    EXPECT_TRUE(fs::is_directory(out / "empty")) << tool.first;
  }
}

TEST_F(MkinstallerRoundTrip, TheManifestSetValidatesAgainstTheWingetSchemas)
{
  // Values YAML would misread unquoted (a colon, quotes, '#', a backslash, a
  // version that reads as a number) and a letter beyond ASCII.
  const std::string head =
      "#AppName\nM\303\274ller: \"Tool\" #1\n#Version\n1.10\n#Publisher\nM\303\274ller \\ Co: \"Tools\"\n"
      "#URL\nhttps://example.org/tool?a=1#top\n#Icon\nviewer.exe,-2\n";
  const struct
  {
    uint16_t machine;
    const char *scopeKey, *architecture, *scope;
  } cases[] = {{0x14C, "#Scope\nuser\n", "x86", "user"}, {0x8664, "", "x64", "machine"}};
  for (const auto& c : cases) {
    dir.MakePeStub(c.machine);
    WriteBytes(dir / "script.txt", head + c.scopeKey);
    ASSERT_EQ(0, Build("setup.exe").code);
    ToolResult r = dir.Run({"manifest", "setup.exe", "--id", "Mueller.Tool", "--url", "https://example.org/setup.exe",
                            "--license", "MIT", "-o", "manifests"});
    ASSERT_EQ(0, r.code) << r.err;
    int checked = dir.Shell("python3 '" TOOL_TESTS "/winget_manifest_check.py' '" TOOL_TESTS
                            "/winget-schemas' manifests Mueller.Tool > check.txt 2>&1");
    std::string check = ReadBytes(dir / "check.txt");
    EXPECT_EQ(0, checked) << check;
    ASSERT_EQ(0, dir.Shell("sha256sum setup.exe > sum.txt"));
    std::string sha256 = ReadBytes(dir / "sum.txt").substr(0, 64);
    std::transform(sha256.begin(), sha256.end(), sha256.begin(), ::toupper);
    const std::string installer = "Mueller.Tool.installer.yaml:", locale = "Mueller.Tool.locale.en-US.yaml:";
    const std::string lines[] = {
        "Mueller.Tool.yaml:PackageVersion = \"1.10\"",
        installer + "Installers[0].Architecture = \"" + c.architecture + "\"",
        installer + "Installers[0].InstallerSha256 = \"" + sha256 + "\"",
        installer + "Scope = \"" + c.scope + "\"",
        installer + "ProductCode = \"M\303\274ller: \\\"Tool\\\" #1\"",
        installer + "AppsAndFeaturesEntries[0].Publisher = \"M\303\274ller \\\\ Co: \\\"Tools\\\"\"",
        locale + "PackageName = \"M\303\274ller: \\\"Tool\\\" #1\"",
        locale + "PackageUrl = \"https://example.org/tool?a=1#top\"",
        locale + "ShortDescription = \"M\303\274ller: \\\"Tool\\\" #1 for Windows\"",
    };
    for (const std::string& line : lines)
      EXPECT_NE(std::string::npos, check.find(line + "\n")) << line << "\n" << check;
  }
}

TEST(MkinstallerInstall, TheInstalledToolTakesItsOwnStubAndUninstaller)
{
  const char* source = std::getenv("INSTALLER_SOURCE");
  if (source == NULL || !fs::exists(fs::path(source) / "build/win32/bin/setup.exe"))
    GTEST_SKIP() << "make install takes the shipped programs: make build-win32 first (and run through ctest)";
  ToolFolder dir;
  // DESTDIR as a package build uses it; the tool finds its stubs relative to itself.
  ASSERT_EQ(0, dir.Shell("env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -C '" + std::string(source) +
                         "' install DESTDIR=\"$PWD/stage\" PREFIX=/opt/mk > make.log 2>&1"))
      << ReadBytes(dir / "make.log");
  const fs::path prefix = fs::canonical(dir / "stage/opt/mk");
  const std::string tool = (prefix / "bin/mkinstaller").string();
  const std::string version = " (version " INSTALLER_VERSION_TEXT ")\n";
  EXPECT_EQ("mkinstaller " INSTALLER_VERSION_TEXT "\nstub: " + (prefix / "share/mkinstaller/setup.exe").string() +
                version + "uninstaller: " + (prefix / "share/mkinstaller/uninstall.exe").string() + version,
            dir.RunProgram(tool, {"--version"}).out);
  EXPECT_EQ(0, dir.Shell("groff -man -Tutf8 -ww -z '" + (prefix / "share/man/man1/mkinstaller.1").string() +
                         "' > man.log 2>&1 && test ! -s man.log"))
      << ReadBytes(dir / "man.log");
  // Run from the build tree, the tool takes that tree's shipped programs.
  EXPECT_NE(std::string::npos, dir.Run({"--version"}).out.find("/win32/bin/setup.exe" + version));

  WriteBytes(dir / "payload/app.exe", "MZ app");
  WriteBytes(dir / "script.txt", "#AppName\nApp\n#Shortcuts\napp.exe\nApp\nuninstall.exe\nUninstall\n");
  ToolResult r = dir.RunProgram(tool, {"build", "--script", "script.txt", "--payload", "payload", "-o", "X.exe"});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("", r.err) << "the uninstaller's shortcut has its target";
  EXPECT_EQ(0u, r.out.find("stub: " + (prefix / "share/mkinstaller/setup.exe").string() + version)) << r.out;
  ToolResult list = dir.RunProgram(tool, {"list", "X.exe"});
  EXPECT_NE(std::string::npos, list.out.find("  uninstall.exe\n")) << list.out;
  ToolResult verify = dir.RunProgram(tool, {"verify", "X.exe"});
  EXPECT_EQ(0, verify.code) << verify.err;
}
