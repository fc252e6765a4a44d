// A fresh scratch directory per test, removed afterwards; paths in it are
// given in Windows syntax (backslashes), as the programs use them.
#pragma once
#include <string>

class TestDir
{
public:
  TestDir();
  ~TestDir();
  // dir\name
  std::string Path(const std::string& name) const;
  const std::string& Root() const { return m_root; }

  static void WriteFile(const std::string& path, const std::string& bytes);
  static std::string ReadFile(const std::string& path);
  static bool Exists(const std::string& path);

private:
  std::string m_root;
};
