#ifdef _WIN32
#include "framework/os/System.h"

namespace {

char Upper(char c) { return static_cast<char>(reinterpret_cast<UINT_PTR>(::CharUpperA(MAKEINTRESOURCEA((BYTE)c)))); }

}  // namespace

// Letter by letter, as file names compare: no linguistic rules.
bool EqualNoCase(const char* lpszA, const char* lpszB)
{
  for (; *lpszA != '\0' && *lpszB != '\0'; ++lpszA, ++lpszB)
    if (*lpszA != *lpszB && Upper(*lpszA) != Upper(*lpszB))
      return false;
  return *lpszA == *lpszB;
}
#endif
