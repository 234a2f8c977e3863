# libxlsxwriter as the target mensora_xlsxwriter. On Linux Debian's libxlsxwriter-dev; for
# Windows, Debian's source package of the same library (scripts/debian-source libxlsxwriter
# unpacks it outside the repository) compiled here with mingw-w64 against libz-mingw-w64-dev, statically,
# so that the program stays one file.
if(TARGET mensora_xlsxwriter)
  return()
endif()

if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
  add_library(mensora_xlsxwriter INTERFACE)
  target_link_libraries(mensora_xlsxwriter INTERFACE PkgConfig::XLSXWRITER)
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/debian_source.cmake)
mensora_debian_source(MENSORA_XLSXWRITER_SOURCE libxlsxwriter src/workbook.c)
find_library(MENSORA_STATIC_ZLIB NAMES libz.a REQUIRED)

enable_language(C)
set(lxw ${MENSORA_XLSXWRITER_SOURCE})
file(GLOB lxw_sources ${lxw}/src/*.c)
list(APPEND lxw_sources ${lxw}/third_party/minizip/ioapi.c ${lxw}/third_party/minizip/zip.c
     ${lxw}/third_party/tmpfileplus/tmpfileplus.c ${lxw}/third_party/md5/md5.c
     ${lxw}/third_party/dtoa/emyg_dtoa.c)
add_library(mensora_xlsxwriter STATIC ${lxw_sources})
target_include_directories(mensora_xlsxwriter PUBLIC ${lxw}/include)
# The library's own choices for a static mingw build; numbers printed by its own locale-free
# routine.
target_compile_definitions(mensora_xlsxwriter PRIVATE NOCRYPT NOUNCRYPT USE_FILE32API
                           USE_DTOA_LIBRARY)
target_compile_options(mensora_xlsxwriter PRIVATE -w)
target_link_libraries(mensora_xlsxwriter PUBLIC ${MENSORA_STATIC_ZLIB})
