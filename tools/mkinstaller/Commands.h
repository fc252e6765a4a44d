// The tool's commands. Each returns the exit code: 0 done, 1 input refused
// or verification failed (refusals are thrown as CRefusal).
#pragma once
#include <string>

struct CBuildOptions
{
  // Empty stub: the installed one (StubLocation.h). Empty uninstaller: the
  // one beside the stub, added when the payload has none.
  std::string m_strStub, m_strScript, m_strPayload, m_strOutput, m_strUninstaller;
};

struct CManifestOptions
{
  std::string m_strInstaller, m_strId, m_strUrl, m_strLicense, m_strShortDescription, m_strOutputDir;
};

int RunBuild(const CBuildOptions& options);
int RunList(const std::string& strInstaller);
int RunVerify(const std::string& strInstaller);
int RunExtract(const std::string& strInstaller, const std::string& strDir);
int RunManifest(const CManifestOptions& options);
// The tool's version and that of the stub and uninstaller it would use.
int RunVersion();
