#include "SetupTestFiles.h"

#include "../framework/TestDir.h"

std::string Marker(char chNumber)
{
  std::string s = "-?verlay";
  s[1] = 'o';
  return s + chNumber + "-";
}

std::string TestArchive()
{
#ifdef _WIN32
  // Under wine the build folder is reached through drive Z:.
  std::string path = std::string("Z:") + SETUP_TEST_ARCHIVE;
#else
  std::string path = SETUP_TEST_ARCHIVE;
#endif
  return TestDir::ReadFile(path);
}
