# zlib_inflate: zlib's raw inflate and CRC-32 for the shipped programs, built
# for size from the sources of Debian's package zlib. The build fetches them
# itself (cmake/fetch-zlib-source.sh) into the build folder; they are never
# committed. Only the inflate subset is compiled, without the gzip wrapper
# and without unwind tables (no exception passes through zlib), and it stays
# out of link-time optimisation. Extraction must stay as fast as with
# Debian's libz.a (bench/inflate-speed.sh): the two files that do the work
# per byte, inflate's fast loop and the CRC, are built with -O3 (2 KB more
# than -Os, which was a third slower), and the CRC keeps zlib's braided loop
# (the byte-wise one is 4.6 KB smaller and as much slower). The CRC tables
# and the fixed Huffman codes are built at the first use, into .bss, rather
# than stored in the file (7 KB); without data sections zero-initialised
# tables stay in .bss.
set(INSTALLER_ZLIB_DIR ${CMAKE_BINARY_DIR}/zlib-source
  CACHE PATH "where the build unpacks zlib's Debian source package (src/)")
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/cmake/fetch-zlib-source.sh ${INSTALLER_ZLIB_DIR}
  RESULT_VARIABLE zlib_fetch_result)
if(NOT zlib_fetch_result EQUAL 0)
  message(FATAL_ERROR "zlib's source could not be fetched into ${INSTALLER_ZLIB_DIR} (needs apt-get, dpkg-dev and the network)")
endif()

set(zlib_source ${INSTALLER_ZLIB_DIR}/src)
add_library(zlib_inflate STATIC
  ${zlib_source}/inflate.c ${zlib_source}/inftrees.c ${zlib_source}/inffast.c
  ${zlib_source}/zutil.c ${zlib_source}/crc32.c ${zlib_source}/adler32.c)
target_compile_definitions(zlib_inflate PRIVATE NO_GZIP DYNAMIC_CRC_TABLE BUILDFIXED)
target_compile_options(zlib_inflate PRIVATE -Os -ffunction-sections
  -fno-asynchronous-unwind-tables -fno-lto -w)
target_include_directories(zlib_inflate PUBLIC ${zlib_source})
set_source_files_properties(${zlib_source}/inffast.c ${zlib_source}/crc32.c PROPERTIES COMPILE_OPTIONS -O3)
