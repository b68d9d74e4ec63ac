# Linux on another CPU, with Debian's cross compiler DAYNAME_TRIPLET (as in
# aarch64-linux-gnu), one of cmake/Targets.cmake's, whose qemu runs its programs.
include(${CMAKE_CURRENT_LIST_DIR}/Targets.cmake)
list(FILTER DAYNAME_CROSS_TARGETS INCLUDE REGEX "^[^|]*\\| ${DAYNAME_TRIPLET} ")
if(NOT DAYNAME_CROSS_TARGETS)
    message(FATAL_ERROR "-DDAYNAME_TRIPLET=${DAYNAME_TRIPLET} is none of cmake/Targets.cmake's")
endif()
dayname_target_fields("${DAYNAME_CROSS_TARGETS}")
separate_arguments(CMAKE_CROSSCOMPILING_EMULATOR UNIX_COMMAND "${DAYNAME_EMULATOR}")
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${DAYNAME_TRIPLET})
set(CMAKE_CXX_COMPILER ${DAYNAME_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${DAYNAME_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The flag checks' own projects read this file again, and need the triplet.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DAYNAME_TRIPLET)
