# Cross-compiling for 32-bit Windows with MinGW-w64 (posix threads): the
# shipped program.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TZ_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
