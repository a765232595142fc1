# What both MinGW-w64 toolchain files share; they set TZ_MINGW_PREFIX first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TZ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TZ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TZ_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained file: the compiler's own runtime is linked in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
