// mkinstaller: packs a setup stub, a script and a payload folder into an
// installer, reads installers back with setup's own code, and describes
// them for package managers.
#include <stdio.h>
#include <string.h>

#include <map>

#include "tools/mkinstaller/Commands.h"
#include "tools/mkinstaller/Diagnostics.h"

namespace {
const int kUsage = 2;

const char kUsageText[] =
    "usage: mkinstaller build --script SCRIPT --payload DIR -o OUT.EXE [--stub SETUP.EXE] [--uninstaller UNINSTALL.EXE]\n"
    "       mkinstaller list INSTALLER\n"
    "       mkinstaller verify INSTALLER\n"
    "       mkinstaller extract INSTALLER DIR\n"
    "       mkinstaller manifest INSTALLER --id PUBLISHER.NAME --url URL -o DIR\n"
    "                            [--license TEXT] [--short-description TEXT]\n"
    "       mkinstaller --help | --version\n";

int Usage(const std::string& strWhy)
{
  fprintf(stderr, "mkinstaller: %s\n%s", strWhy.c_str(), kUsageText);
  return kUsage;
}

// "--name value" pairs from argv[nFirst] on into the named fields; false,
// with the reason, for an unknown name or a missing value.
bool ReadOptions(int argc, char** argv, int nFirst, const std::map<std::string, std::string*>& fields,
                 std::string& strWhy)
{
  for (int i = nFirst; i < argc; ++i) {
    auto it = fields.find(argv[i]);
    if (it == fields.end()) {
      strWhy = std::string("unknown argument \"") + argv[i] + "\"";
      return false;
    }
    if (i + 1 >= argc) {
      strWhy = std::string(argv[i]) + " needs a value";
      return false;
    }
    *it->second = argv[++i];
  }
  return true;
}

int Build(int argc, char** argv)
{
  CBuildOptions options;
  std::string strWhy;
  if (!ReadOptions(argc, argv, 2,
                   {{"--stub", &options.m_strStub},
                    {"--script", &options.m_strScript},
                    {"--payload", &options.m_strPayload},
                    {"-o", &options.m_strOutput},
                    {"--uninstaller", &options.m_strUninstaller}},
                   strWhy))
    return Usage(strWhy);
  if (options.m_strScript.empty() || options.m_strPayload.empty() || options.m_strOutput.empty())
    return Usage("build needs --script, --payload and -o");
  return RunBuild(options);
}

int Manifest(int argc, char** argv)
{
  CManifestOptions options;
  std::string strWhy;
  if (argc < 3 || argv[2][0] == '-')
    return Usage("manifest needs the installer first");
  options.m_strInstaller = argv[2];
  if (!ReadOptions(argc, argv, 3,
                   {{"--id", &options.m_strId},
                    {"--url", &options.m_strUrl},
                    {"--license", &options.m_strLicense},
                    {"--short-description", &options.m_strShortDescription},
                    {"-o", &options.m_strOutputDir}},
                   strWhy))
    return Usage(strWhy);
  if (options.m_strId.empty() || options.m_strUrl.empty() || options.m_strOutputDir.empty())
    return Usage("manifest needs --id, --url and -o");
  return RunManifest(options);
}

int Dispatch(int argc, char** argv)
{
  if (argc < 2)
    return Usage("no command");
  std::string strCommand = argv[1];
  if ((strCommand == "--help" || strCommand == "-h") && argc == 2) {
    fputs(kUsageText, stdout);
    puts("See mkinstaller(1) for the script's keys and the exit codes.");
    return 0;
  }
  if (strCommand == "--version" && argc == 2)
    return RunVersion();
  if (strCommand == "build")
    return Build(argc, argv);
  if (strCommand == "manifest")
    return Manifest(argc, argv);
  if (strCommand == "list" && argc == 3)
    return RunList(argv[2]);
  if (strCommand == "verify" && argc == 3)
    return RunVerify(argv[2]);
  if (strCommand == "extract" && argc == 4)
    return RunExtract(argv[2], argv[3]);
  return Usage("wrong command or arguments: \"" + strCommand + "\"");
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
