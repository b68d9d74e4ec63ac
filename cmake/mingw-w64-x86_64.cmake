# 64-bit Windows with Debian's MinGW-w64, the posix flavour, whose C++ runtime
# has std::thread and friends; Wine (wine64) runs its programs here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
find_program(DAYNAME_WINE NAMES wine64 wine HINTS /usr/lib/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${DAYNAME_WINE})
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
