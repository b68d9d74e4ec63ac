# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Linux on another CPU, with Debian's cross compiler DAYNAME_TRIPLET (as in
# aarch64-linux-gnu), one of cmake/Targets.cmake's, whose qemu runs its programs.
include(${CMAKE_CURRENT_LIST_DIR}/Targets.cmake)
foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
    dayname_target_fields("${line}")
    if(TRIPLET STREQUAL DAYNAME_TRIPLET)
        separate_arguments(CMAKE_CROSSCOMPILING_EMULATOR UNIX_COMMAND "${EMULATOR}")
        set(DAYNAME_ARCH ${ARCH})
        set(DAYNAME_FILE_SAYS "${FILE_SAYS}")
        set(DAYNAME_DEB_ARCH ${DEB_ARCH})
        set(DAYNAME_RPM_ARCH ${RPM_ARCH})
    endif()
endforeach()
if(NOT DAYNAME_ARCH)
    message(FATAL_ERROR "-DDAYNAME_TRIPLET=${DAYNAME_TRIPLET} is none of cmake/Targets.cmake's")
endif()
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${DAYNAME_TRIPLET})
set(CMAKE_CXX_COMPILER ${DAYNAME_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${DAYNAME_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The flag checks' own projects read this file again, and need the triplet.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DAYNAME_TRIPLET)
