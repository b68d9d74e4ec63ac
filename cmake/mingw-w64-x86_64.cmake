# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with MinGW-w64 (Debian's
# g++-mingw-w64-x86-64-posix): the posix flavour, whose C++ runtime has
# std::thread and friends, as any C++17 program may expect. Its programs run
# here under Wine (Debian's wine64), which CTest and the tests use.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

find_program(DAYNAME_WINE NAMES wine64 wine HINTS /usr/lib/wine
    DOC "Wine, which runs the Windows program for the tests")
if(DAYNAME_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${DAYNAME_WINE})
endif()

# Headers and libraries come from the MinGW-w64 tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
