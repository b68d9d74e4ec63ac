# Cross-builds for Linux on another CPU with Debian's cross compilers
# (g++-TRIPLET): DAYNAME_TRIPLET names the compiler, as in aarch64-linux-gnu.
# cmake/Targets.cmake lists the triplets the project builds for.
if(NOT DAYNAME_TRIPLET)
    message(FATAL_ERROR "Name the compiler with -DDAYNAME_TRIPLET=..., as in aarch64-linux-gnu")
endif()
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${DAYNAME_TRIPLET})

set(CMAKE_CXX_COMPILER ${DAYNAME_TRIPLET}-g++)

# Headers and libraries come from the cross tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${DAYNAME_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The flag checks build in projects of their own, which read this file again:
# without the triplet they would test the host's compiler.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DAYNAME_TRIPLET)
