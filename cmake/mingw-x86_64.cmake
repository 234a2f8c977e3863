# Cross-compiles for 64-bit Windows with Debian's mingw-w64; Wine runs what it builds.
set(MENSORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
