# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Whether the tests are built, and what they need. BUILD_TESTING:
#   ON         build them, and stop the configure naming what is missing;
#   OFF        leave them out;
#   unset      build them when everything they need is found, and say which.
# So a packager who has GoogleTest and pytest installed gets the tests
# without asking, and a plain build with only CMake and a compiler works.
# DAYNAME_CHECK_DOCUMENTS adds the documents test, which the presets set.
#
# The unit tests link Debian's GoogleTest, which is built for this machine
# and its libstdc++: only a native build with the default library has them.
# The end-to-end tests need pytest and, for another machine, its emulator.
option(DAYNAME_CHECK_DOCUMENTS "Test that the documents agree with the program and the build" OFF)
set(missing)
set(DAYNAME_UNIT_TESTS OFF)
if(NOT CMAKE_CROSSCOMPILING AND NOT DAYNAME_STDLIB)
    find_package(GTest QUIET)
    if(GTest_FOUND)
        set(DAYNAME_UNIT_TESTS ON)
    else()
        list(APPEND missing "GoogleTest (Debian: libgtest-dev, Fedora: gtest-devel)")
    endif()
endif()

# Debian's pytest comes first: the first python3 on PATH may be another
# interpreter without it. It is asked from the build folder, where no
# conftest.py of the sources is read.
find_program(DAYNAME_PYTEST NAMES pytest-3 pytest DOC "pytest, which runs the end-to-end tests")
if(DAYNAME_PYTEST)
    execute_process(COMMAND ${DAYNAME_PYTEST} --version
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        RESULT_VARIABLE pytestFailed OUTPUT_VARIABLE pytestVersion ERROR_VARIABLE pytestVersion)
    if(pytestFailed OR NOT pytestVersion MATCHES "pytest")
        message(STATUS "${DAYNAME_PYTEST} is no pytest that runs: ${pytestVersion}")
        set(DAYNAME_PYTEST "")
    endif()
endif()
if(NOT DAYNAME_PYTEST)
    list(APPEND missing "pytest (Debian: python3-pytest, Fedora: python3-pytest, or name it with -DDAYNAME_PYTEST=...)")
endif()

# A toolchain of another's (a distribution's cross build) may set no
# emulator: then the one that cmake/Targets.cmake has for the CPU is named.
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 runner)
    find_program(DAYNAME_RUNNER "${runner}" NO_CACHE)
    if(NOT DAYNAME_RUNNER)
        list(APPEND missing "${runner}, which runs programs for ${CMAKE_SYSTEM_NAME} on ${CMAKE_SYSTEM_PROCESSOR} here")
    endif()
elseif(CMAKE_CROSSCOMPILING)
    include(Targets)
    set(runner)
    foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
        dayname_target_fields("${line}")
        string(REGEX REPLACE "-.*" "" cpu ${TRIPLET})
        if(cpu STREQUAL CMAKE_SYSTEM_PROCESSOR AND NOT runner)
            set(runner ", such as ${EMULATOR},")
        endif()
    endforeach()
    list(APPEND missing "an emulator${runner} in CMAKE_CROSSCOMPILING_EMULATOR, which runs programs for ${CMAKE_SYSTEM_NAME} on ${CMAKE_SYSTEM_PROCESSOR} here")
endif()

list(JOIN missing ", " missing)
if(BUILD_TESTING STREQUAL "")
    if(missing)
        set(DAYNAME_TESTS OFF)
        message(STATUS "Tests: not built, for want of ${missing} (-DBUILD_TESTING=ON insists)")
    else()
        set(DAYNAME_TESTS ON)
        message(STATUS "Tests: built, since what they need was found (-DBUILD_TESTING=OFF leaves them out)")
    endif()
elseif(BUILD_TESTING)
    if(missing)
        message(FATAL_ERROR "BUILD_TESTING is ON, and the tests need what is missing: ${missing}.\n"
            "Install it, or configure with -DBUILD_TESTING=OFF.")
    endif()
    set(DAYNAME_TESTS ON)
    message(STATUS "Tests: built")
else()
    set(DAYNAME_TESTS OFF)
    message(STATUS "Tests: not built (BUILD_TESTING is OFF)")
endif()
