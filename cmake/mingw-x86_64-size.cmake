# The shipped programs' sources and size options on 64-bit Windows: the
# yardstick build of the benchmarks on machines that cannot execute 32-bit
# code. The -win32 thread model keeps winpthread out, as for the shipped build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_AR /usr/bin/x86_64-w64-mingw32-gcc-ar-win32)
set(CMAKE_RANLIB /usr/bin/x86_64-w64-mingw32-gcc-ranlib-win32)
set(INSTALLER_X64_SIZE_BUILD ON CACHE BOOL "x86_64 with the shipped programs' size options" FORCE)
