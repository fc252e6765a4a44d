// The tool's commands. Each returns the exit code: 0 done, 1 input refused
// or verification failed (refusals are thrown as CRefusal).
#pragma once
#include <string>

struct CBuildOptions
{
  std::string m_strStub, m_strScript, m_strPayload, m_strOutput;
};

int RunBuild(const CBuildOptions& options);
int RunList(const std::string& strInstaller);
int RunVerify(const std::string& strInstaller);
int RunExtract(const std::string& strInstaller, const std::string& strDir);
