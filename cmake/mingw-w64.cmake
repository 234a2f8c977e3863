# What both Windows toolchains share: Debian's mingw-w64 (posix threads, for std::thread and
# std::mutex) for the target named by MENSORA_MINGW_TRIPLE, and a static runtime, so that each
# .exe runs on a bare bench PC with no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MENSORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MENSORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MENSORA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MENSORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in: otherwise every program needs three DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
