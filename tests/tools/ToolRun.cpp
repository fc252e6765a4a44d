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
}

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
  std::string cmd = "cd " + Quote(m_root.string()) + " && " + (env.empty() ? "" : "env " + env + " ") + MKINSTALLER;
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
