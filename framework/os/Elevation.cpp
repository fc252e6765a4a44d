#include "framework/os/Elevation.h"

#include <shellapi.h>

#include "framework/os/Unicode.h"

bool IsProcessElevated()
{
  HANDLE hToken = NULL;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken))
    return false;
  TOKEN_ELEVATION elevation = {};
  DWORD nSize = 0;
  const bool bElevated =
      ::GetTokenInformation(hToken, TokenElevation, &elevation, sizeof(elevation), &nSize) && elevation.TokenIsElevated;
  ::CloseHandle(hToken);
  return bElevated;
}

DWORD RunElevatedAndWait(const char* lpszProgram, const char* lpszArgs, DWORD& nExitCode)
{
  const CWideText program(lpszProgram);
  const CWideText args(lpszArgs);
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = program;
  info.lpParameters = args;
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExW(&info))
    return ::GetLastError();
  DWORD nResult = ERROR_SUCCESS;
  if (info.hProcess == NULL)
    return ERROR_INVALID_HANDLE;
  if (::WaitForSingleObject(info.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(info.hProcess, &nExitCode))
    nResult = ::GetLastError();
  ::CloseHandle(info.hProcess);
  return nResult;
}
