# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Cross-builds for Linux on another CPU with Debian's cross compilers
# (g++-TRIPLET): DAYNAME_TRIPLET names the compiler, as in aarch64-linux-gnu.
# cmake/Targets.cmake lists the triplets the project builds for, and the
# qemu command that runs their programs here, which CTest and the tests use.
if(NOT DAYNAME_TRIPLET)
    message(FATAL_ERROR "Name the compiler with -DDAYNAME_TRIPLET=..., as in aarch64-linux-gnu")
endif()
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${DAYNAME_TRIPLET})

set(CMAKE_CXX_COMPILER ${DAYNAME_TRIPLET}-g++)

include(${CMAKE_CURRENT_LIST_DIR}/Targets.cmake)
foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
    dayname_target_fields("${line}")
    if(TRIPLET STREQUAL DAYNAME_TRIPLET)
        separate_arguments(CMAKE_CROSSCOMPILING_EMULATOR UNIX_COMMAND "${EMULATOR}")
        set(DAYNAME_ARCH ${ARCH} CACHE STRING "The CPU's name in the archive's file name")
        set(DAYNAME_FILE_SAYS "${FILE_SAYS}")
        set(DAYNAME_DEB_ARCH ${DEB_ARCH})
        set(DAYNAME_RPM_ARCH ${RPM_ARCH})
    endif()
endforeach()
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(FATAL_ERROR "${DAYNAME_TRIPLET} is not in the list of cmake/Targets.cmake")
endif()

# Headers and libraries come from the cross tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${DAYNAME_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The flag checks build in projects of their own, which read this file again:
# without the triplet they would test the host's compiler.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DAYNAME_TRIPLET)
