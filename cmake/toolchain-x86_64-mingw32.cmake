# A 64-bit build of the same sources, for running the Windows-side tests under
# wine64 on kernels that cannot run 32-bit code. The shipped program is the
# i686 build (toolchain-i686-mingw32.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TZ_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TZ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TZ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TZ_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
