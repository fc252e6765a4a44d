// Where the programs' DLLs load from: setup's window layer and the
// uninstaller both restrict the search first thing.
#pragma once
#include <windows.h>

// Later LoadLibrary calls (the shell and COM load DLLs of their own) search
// only the system directory, never the folder the program was started from:
// a DLL planted beside it in a download folder must not load. A system
// without SetDefaultDllDirectories keeps its own order.
inline void RestrictDllSearch()
{
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesProc)(DWORD);
  HMODULE hKernel = ::GetModuleHandleW(L"kernel32.dll");
  if (hKernel == NULL)
    return;
  SetDefaultDllDirectoriesProc pfnSetDefault = reinterpret_cast<SetDefaultDllDirectoriesProc>(
      reinterpret_cast<void*>(::GetProcAddress(hKernel, "SetDefaultDllDirectories")));
  if (pfnSetDefault != NULL)
    pfnSetDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
