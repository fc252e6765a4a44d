// The uninstaller's log, which /LOG= asks for: what was removed, what
// remained, the registry and the exit code. Writing to it does nothing
// while it is closed.
#pragma once
#include "common/InstallLog.h"

extern CInstallLog g_log;
