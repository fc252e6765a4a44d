// Where the tool finds the programs it packs when it is not told: the
// installed ones in <prefix>/share/mkinstaller/ beside <prefix>/bin/, or,
// run from a build tree's build/tools/bin or build/host/bin, that tree's
// shipped build in build/win32/bin/. The uninstaller lies beside the stub.
#pragma once
#include <string>
#include <vector>

// The places the stub is looked for, in order.
std::vector<std::string> StubCandidates();
// The first candidate that exists; empty when none does.
std::string FindDefaultStub();
// uninstall.exe in the stub's folder, when it exists; empty otherwise.
std::string FindUninstallerBeside(const std::string& strStub);
// The version in a program's VERSIONINFO, or "unknown version".
std::string DescribeProgramVersion(const std::string& strPath);
