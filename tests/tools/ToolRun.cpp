#include "ToolRun.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string Quote(const std::string& s)
{
  std::string q = "'";
  for (char c : s)
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

ToolFolder::ToolFolder()
{
  char tmpl[] = "/tmp/mkinstXXXXXX";
  m_root = mkdtemp(tmpl);
}

ToolFolder::~ToolFolder()
{
  std::error_code ec;
  for (const auto& e : fs::recursive_directory_iterator(m_root, ec))
    fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(m_root, ec);
}

ToolResult ToolFolder::Run(const std::vector<std::string>& args, const std::string& env) const
{
  return RunProgram(MKINSTALLER, args, env);
}

ToolResult ToolFolder::RunProgram(const std::string& program, const std::vector<std::string>& args,
                                  const std::string& env) const
{
  std::string cmd = "cd " + Quote(m_root.string()) + " && " + (env.empty() ? "" : "env " + env + " ") + Quote(program);
  for (const std::string& a : args)
    cmd += " " + Quote(a);
  cmd += " > .out 2> .err";
  int status = system(cmd.c_str());
  ToolResult r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadBytes(m_root / ".out");
  r.err = ReadBytes(m_root / ".err");
  return r;
}

int ToolFolder::Shell(const std::string& command) const
{
  int status = system(("cd " + Quote(m_root.string()) + " && " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path ToolFolder::MakeStub(size_t size) const
{
  std::mt19937 rng(1234);
  std::string stub = "MZ";
  while (stub.size() < size)
    stub += (char)(rng() & 0xFF);
  if (stub.find(MarkerText('1')) != std::string::npos || stub.find(MarkerText('2')) != std::string::npos)
    abort();
  WriteBytes(m_root / "stub.exe", stub);
  return m_root / "stub.exe";
}

std::string ReadBytes(const fs::path& path)
{
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string MarkerText(char number)
{
  std::string s = "-?verlay";
  s[1] = 'o';
  return s + number + "-";
}

namespace {
void Put(std::string& image, size_t offset, uint32_t value, int bytes)
{
  for (int i = 0; i < bytes; ++i)
    image[offset + i] = (char)(value >> (8 * i));
}
}  // namespace

fs::path ToolFolder::MakePeStub(uint16_t machine) const
{
  // DOS header pointing at the PE header at 0x40; headers in the first 0x200
  // bytes, the section's raw data in the next 0x200.
  std::string image(0x400, '\0');
  image.replace(0, 2, "MZ");
  Put(image, 0x3C, 0x40, 4);
  image.replace(0x40, 4, std::string("PE\0\0", 4));
  // COFF header: the machine, one section, a 224-byte optional header, executable.
  Put(image, 0x44, machine, 2);
  Put(image, 0x46, 1, 2);
  Put(image, 0x54, 0xE0, 2);
  Put(image, 0x56, 0x0102, 2);
  // Optional header (PE32) and its 16 empty data directories.
  const size_t opt = 0x58;
  Put(image, opt + 0, 0x10B, 2);      // magic
  Put(image, opt + 4, 0x200, 4);      // size of code
  Put(image, opt + 16, 0x1000, 4);    // entry point
  Put(image, opt + 20, 0x1000, 4);    // base of code
  Put(image, opt + 28, 0x400000, 4);  // image base
  Put(image, opt + 32, 0x1000, 4);    // section alignment
  Put(image, opt + 36, 0x200, 4);     // file alignment
  Put(image, opt + 40, 4, 2);         // operating system version
  Put(image, opt + 48, 4, 2);         // subsystem version
  Put(image, opt + 56, 0x2000, 4);    // size of image
  Put(image, opt + 60, 0x200, 4);     // size of headers
  Put(image, opt + 68, 2, 2);         // subsystem: GUI
  Put(image, opt + 72, 0x100000, 4);  // stack reserve
  Put(image, opt + 76, 0x1000, 4);    // stack commit
  Put(image, opt + 80, 0x100000, 4);  // heap reserve
  Put(image, opt + 84, 0x1000, 4);    // heap commit
  Put(image, opt + 92, 16, 4);        // number of data directories
  // Section header ".text": 0x10 bytes at 0x1000, raw data at 0x200.
  const size_t sec = opt + 0xE0;
  image.replace(sec, 5, ".text");
  Put(image, sec + 8, 0x10, 4);
  Put(image, sec + 12, 0x1000, 4);
  Put(image, sec + 16, 0x200, 4);
  Put(image, sec + 20, 0x200, 4);
  Put(image, sec + 36, 0x60000020, 4);
  image[0x200] = (char)0xC3;  // ret
  WriteBytes(m_root / "stub.exe", image);
  return m_root / "stub.exe";
}
