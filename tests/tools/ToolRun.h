// Runs mkinstaller in a scratch folder and keeps what it printed.
#pragma once
#include <stdint.h>

#include <filesystem>
#include <string>
#include <vector>

struct ToolResult
{
  int code;
  std::string out, err;
};

class ToolFolder
{
public:
  ToolFolder();
  ~ToolFolder();
  std::filesystem::path operator/(const std::string& name) const { return m_root / name; }
  const std::filesystem::path& Root() const { return m_root; }

  // mkinstaller with these arguments, run in the folder; env is prepended
  // ("NAME=value ..."), empty for none.
  ToolResult Run(const std::vector<std::string>& args, const std::string& env = "") const;
  // The same with another program (an installed mkinstaller, a copy of it).
  ToolResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                        const std::string& env = "") const;

  // A shell command run in the folder; its exit code.
  int Shell(const std::string& command) const;

  // A stub of random bytes with no marker text in it, as stub.exe.
  std::filesystem::path MakeStub(size_t size = 4096) const;
  // The smallest 32-bit Windows program signing tools accept (one section
  // that returns), as stub.exe; machine is its COFF header's field.
  std::filesystem::path MakePeStub(uint16_t machine = 0x14C) const;

private:
  std::filesystem::path m_root;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// The two overlay markers, built without their text ever standing whole here.
std::string MarkerText(char number);
