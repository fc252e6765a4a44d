// The PE reader over Windows programs that MinGW builds at test time, whole
// and damaged. Each damaged copy is held in a buffer of its own size, so
// that a read past it is a sanitizer's error.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ToolRun.h"
#include "tools/mkinstaller/PeImage.h"

namespace {
const char kVersion[] = "2.3.4.5";

class PeImage : public ::testing::Test
{
protected:
  // main.c, with version.rc (FILEVERSION 2,3,4,5) when withVersion, built
  // by the MinGW compilers of the given target as NAME.
  std::string Build(const std::string& target, const std::string& name, bool withVersion)
  {
    WriteBytes(dir / "main.c", "int main(void) { return 0; }\n");
    WriteBytes(dir / "version.rc",
               "#include <winver.h>\nVS_VERSION_INFO VERSIONINFO\nFILEVERSION 2,3,4,5\nPRODUCTVERSION 2,3,4,5\n"
               "BEGIN\n BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904E4\"\n  BEGIN\n"
               "   VALUE \"FileVersion\", \"2.3.4.5\"\n  END\n END\nEND\n");
    std::string command = target + "-windres version.rc -O coff -o version.o && " + target + "-gcc -o " + name +
                          " main.c" + (withVersion ? " version.o" : "") + " > build.log 2>&1";
    EXPECT_EQ(0, dir.Shell(command)) << ReadBytes(dir / "build.log");
    return ReadBytes(dir / name);
  }

  ToolFolder dir;
};

std::string VersionOfCopy(const std::string& image, size_t size)
{
  std::vector<char> copy(image.begin(), image.begin() + size);
  return ReadPeFileVersion(std::string_view(copy.data(), copy.size()));
}
}  // namespace

TEST_F(PeImage, MachineAndVersionOfBothOptionalHeaderForms)
{
  const std::pair<std::string, uint16_t> targets[] = {{"i686-w64-mingw32", 0x14C}, {"x86_64-w64-mingw32", 0x8664}};
  for (const auto& target : targets) {
    std::string image = Build(target.first, target.first + ".exe", true);
    uint16_t machine = 0;
    EXPECT_TRUE(ReadPeMachine(image, machine)) << target.first;
    EXPECT_EQ(target.second, machine) << target.first;
    EXPECT_EQ(kVersion, ReadPeFileVersion(image)) << target.first;
  }
  EXPECT_EQ("", ReadPeFileVersion(Build("i686-w64-mingw32", "plain.exe", false))) << "no VERSIONINFO";
  uint16_t machine = 0;
  EXPECT_FALSE(ReadPeMachine("MZ but nothing behind it", machine));
}

TEST_F(PeImage, ADamagedImageReadsAsUnknownNeverBeyondItsBytes)
{
  std::string image = Build("i686-w64-mingw32", "program.exe", true);
  // The fixed file info, found by its signature: the version's 8 bytes
  // follow 8 bytes behind it.
  size_t fixed = image.find("\xBD\x04\xEF\xFE");
  ASSERT_NE(std::string::npos, fixed);
  std::vector<size_t> offsets;
  for (size_t at = 0; at < 1024; ++at)
    offsets.push_back(at);
  for (size_t at = fixed > 2048 ? fixed - 2048 : 0; at < std::min(image.size(), fixed + 256); ++at)
    offsets.push_back(at);

  for (size_t at : offsets) {
    // Cut short here: the version is not there whole, so it reads as unknown.
    if (at < fixed + 16) {
      EXPECT_EQ("", VersionOfCopy(image, at)) << "cut at " << at;
    }
    // One byte changed: the version as it was, or unknown, unless the byte
    // is one of the version's own.
    std::string damaged = image;
    damaged[at] = (char)~damaged[at];
    std::string version = VersionOfCopy(damaged, damaged.size());
    if (at < fixed + 8 || at >= fixed + 16) {
      EXPECT_TRUE(version == kVersion || version.empty()) << "byte " << at << " changed: " << version;
    }
  }
}
