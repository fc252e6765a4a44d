#include "common/ElevatedRestart.h"

#include "common/InstallLog.h"
#include "framework/os/Elevation.h"
#include "framework/os/System.h"

bool RunAgainElevated(CInstallLog& log, const char* lpszLogPath, const char* lpszWho, const char* lpszArgs,
                      DWORD& nExitCode)
{
  CString strPath;
  GetModulePath(strPath);
  log.Write("elevation", CString(lpszWho) + " starts again with administrator rights");
  log.Close();
  const DWORD nError = RunElevatedAndWait(strPath, CString("/ELEVATED ") + lpszArgs, nExitCode);
  if (nError == ERROR_SUCCESS)
    return true;
  if (lpszLogPath != NULL)
    log.Open(lpszLogPath, true);
  log.Write("elevation refused", "error " + DecimalText(static_cast<long>(nError)));
  return false;
}
