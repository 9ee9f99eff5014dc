# Cross-compiles Pelvorn for Windows (i686) with Debian's mingw-w64 (posix
# thread model, so that libstdc++ has std::thread and std::mutex; winpthread
# is linked statically with everything else).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(PELVORN_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PELVORN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELVORN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PELVORN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PELVORN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is linked statically (libstdc++, libgcc, winpthread), so it
# runs from any folder with no DLL beside it, under Wine as well.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
