# Cross-compiling to 32-bit Windows with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every executable runs on its own: no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Windows programs built here run under Wine on the build machine, under the
# 32-bit Wine (tools/wine-env); scripted tests get the same choice.
set(QUORVEL_WINE_ARCH 32)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env QUORVEL_WINE_ARCH=32 "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
