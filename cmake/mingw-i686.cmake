# Cross-compiles for 32-bit Windows with Debian's mingw-w64; its programs run under Debian's
# 32-bit Wine (wine32) in a 32-bit prefix.
set(MENSORA_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# SSE2 arithmetic: the gauge readings' single/double rounding must be exact, and x87's
# extended precision would change values and verdicts at their last bit.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
