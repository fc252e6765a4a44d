# Shipped programs: 32-bit Windows, the -win32 thread model keeps winpthread out.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Link-time optimisation needs the archiver and index with the LTO plugin.
set(CMAKE_AR /usr/bin/i686-w64-mingw32-gcc-ar-win32)
set(CMAKE_RANLIB /usr/bin/i686-w64-mingw32-gcc-ranlib-win32)
