// mkinstaller: packs a setup stub, a script and a payload folder into an
// installer, and reads installers back with setup's own code.
#include <stdio.h>
#include <string.h>

#include "tools/mkinstaller/Commands.h"
#include "tools/mkinstaller/Diagnostics.h"

namespace {
const int kUsage = 2;

int Usage(const char* pszWhy)
{
  fprintf(stderr,
          "mkinstaller: %s\n"
          "usage: mkinstaller build --stub SETUP.EXE --script SCRIPT --payload DIR -o OUT.EXE\n"
          "       mkinstaller list INSTALLER\n"
          "       mkinstaller verify INSTALLER\n"
          "       mkinstaller extract INSTALLER DIR\n",
          pszWhy);
  return kUsage;
}

int Build(int argc, char** argv)
{
  CBuildOptions options;
  for (int i = 2; i < argc; ++i) {
    std::string* pTarget = NULL;
    if (strcmp(argv[i], "--stub") == 0)
      pTarget = &options.m_strStub;
    else if (strcmp(argv[i], "--script") == 0)
      pTarget = &options.m_strScript;
    else if (strcmp(argv[i], "--payload") == 0)
      pTarget = &options.m_strPayload;
    else if (strcmp(argv[i], "-o") == 0)
      pTarget = &options.m_strOutput;
    else
      return Usage((std::string("unknown argument \"") + argv[i] + "\"").c_str());
    if (i + 1 >= argc)
      return Usage((std::string(argv[i]) + " needs a value").c_str());
    *pTarget = argv[++i];
  }
  if (options.m_strStub.empty() || options.m_strScript.empty() || options.m_strPayload.empty() ||
      options.m_strOutput.empty())
    return Usage("build needs --stub, --script, --payload and -o");
  return RunBuild(options);
}

int Dispatch(int argc, char** argv)
{
  if (argc < 2)
    return Usage("no command");
  std::string strCommand = argv[1];
  if (strCommand == "build")
    return Build(argc, argv);
  if (strCommand == "list" && argc == 3)
    return RunList(argv[2]);
  if (strCommand == "verify" && argc == 3)
    return RunVerify(argv[2]);
  if (strCommand == "extract" && argc == 4)
    return RunExtract(argv[2], argv[3]);
  return Usage(("wrong command or arguments: \"" + strCommand + "\"").c_str());
}
}  // namespace

int main(int argc, char** argv)
{
  try {
    return Dispatch(argc, argv);
  } catch (const CRefusal& refusal) {
    PrintError(refusal.what());
    return 1;
  }
}
