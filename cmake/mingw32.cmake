# Cross-build for 32-bit Windows with mingw-w64 (the posix thread model, which
# GoogleTest needs for std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QUIL_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QUIL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUIL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUIL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUIL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test executables run under Wine; the wrapper picks the display and prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
