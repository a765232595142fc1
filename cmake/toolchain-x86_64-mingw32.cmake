# A 64-bit build of the same sources, for running the Windows-side tests under
# wine64 on kernels that cannot run 32-bit code. The shipped program is the
# i686 build (toolchain-i686-mingw32.cmake).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TZ_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
