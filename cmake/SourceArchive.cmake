# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# cmake [-D ARCHIVE=...] -P cmake/SourceArchive.cmake
# writes ARCHIVE, the source release: the files of the last commit under
# dayname-<version>/, with the commit's time, as git archive makes them, in a
# second and without building anything. ARCHIVE is build/dayname-<version>.tar.gz
# of the source folder unless given; SOURCE_DIR and PREFIX may be given too.
# Every download is built from this archive alone, so that none holds what it
# lacks: uncommitted changes are named here, and left out of all of them.
if(NOT SOURCE_DIR)
    get_filename_component(SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Version.cmake)
if(NOT PREFIX)
    set(PREFIX dayname-${DAYNAME_VERSION}/)
endif()
if(NOT ARCHIVE)
    set(ARCHIVE ${SOURCE_DIR}/build/dayname-${DAYNAME_VERSION}.tar.gz)
    file(MAKE_DIRECTORY ${SOURCE_DIR}/build)
endif()
find_package(Git REQUIRED)
execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} status --porcelain
    OUTPUT_VARIABLE changes OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(changes)
    string(REPLACE "\n" "\n  " changes "  ${changes}")
    message(WARNING "These uncommitted changes are not in the source archive, "
        "nor in any download built from it:\n${changes}")
endif()
execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} archive --format=tar.gz
        --prefix=${PREFIX} -o ${ARCHIVE} HEAD
    COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Source archive: ${ARCHIVE}")
