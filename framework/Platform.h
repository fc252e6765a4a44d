// The platform beneath the framework: Win32 and the Microsoft C runtime on
// Windows, small stand-ins for the few calls the portable code makes on POSIX.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <direct.h>
#include <io.h>
#include <stdlib.h>
#else
#include "framework/PosixCompat.h"
#endif

#include <stddef.h>
#include <stdint.h>
#include <string.h>
