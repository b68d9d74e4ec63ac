# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# What installs and what cpack makes of it. Three shapes:
# - with DAYNAME_DEBIAN or DAYNAME_RPM, a package of the system
#   (cmake/SystemPackage.cmake);
# - otherwise an archive for any machine of the target's kind, tar.gz on Linux
#   and zip on Windows, with one top folder dayname-<version>/ that holds the
#   install tree (on Windows just dayname.exe), README.md and LICENSE.
# Packages carry the time of the last commit, so that every build of one commit
# gives the same bytes. Build the `packages` target to make them: it runs cpack
# under umask 022, since cpack takes the modes of the folders it makes, and of
# the .deb's own members, from the umask of whoever runs it, and in UTC, since
# a zip holds times of day in the local time zone.
option(DAYNAME_DEBIAN "Install and package the program as a Debian package" OFF)
option(DAYNAME_RPM "Install and package the program as an RPM package" OFF)

# The contact, the summary and the description, as the Debian recipe has them.
file(READ packaging/debian/control control)
string(REGEX MATCH "\nMaintainer: ([^\n]*)" found "${control}")
set(CPACK_PACKAGE_CONTACT "${CMAKE_MATCH_1}")
string(REGEX REPLACE " <.*" "" CPACK_PACKAGE_VENDOR "${CPACK_PACKAGE_CONTACT}")
string(REGEX MATCH "\nDescription: ([^\n]*)((\n [^\n]*)*)" found "${control}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_MATCH_1}")
string(REPLACE "\n " "\n" CPACK_PACKAGE_DESCRIPTION "${CMAKE_MATCH_2}")
string(STRIP "${CPACK_PACKAGE_DESCRIPTION}" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)
set(CPACK_DAYNAME_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackSourceDate.cmake)

if(WIN32)
    # On Windows the program stands at the top of its folder, beside README.md and LICENSE.
    install(TARGETS dayname RUNTIME DESTINATION .)
else()
    install(TARGETS dayname RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The manual page names the version that it documents.
set(DAYNAME_MANUAL_PAGE ${PROJECT_BINARY_DIR}/dayname.1)
configure_file(doc/dayname.1 ${DAYNAME_MANUAL_PAGE} @ONLY)

if(WASI)
    # The download is the module itself, named for the version and its system.
    set(DAYNAME_WASI_FILE ${PROJECT_NAME}-${PROJECT_VERSION}-wasm32-wasi.wasm)
    add_custom_target(packages
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:dayname> ${CMAKE_BINARY_DIR}/${DAYNAME_WASI_FILE}
        COMMENT "Making ${DAYNAME_WASI_FILE}" VERBATIM)
    add_dependencies(packages dayname)
    return()
endif()

if(DAYNAME_DEBIAN OR DAYNAME_RPM)
    include(SystemPackage)
else()
    if(NOT WIN32)
        install(FILES ${DAYNAME_MANUAL_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
    # Only the archive has these at its top; an install into a prefix has not.
    install(FILES README.md LICENSE DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)

    string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" processor)
    set(DAYNAME_ARCH ${processor} CACHE STRING "The CPU's name in the archive's file name")
    string(TOLOWER "${CMAKE_SYSTEM_NAME}-${DAYNAME_ARCH}" platform)
    if(WIN32)
        set(CPACK_GENERATOR ZIP)
    else()
        set(CPACK_GENERATOR TGZ)
    endif()
    set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION})
    set(CPACK_ARCHIVE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${platform})
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENTS_ALL Unspecified archive)
endif()

include(CPack)

add_custom_target(packages
    COMMAND sh -c "umask 022 && TZ=UTC && export TZ && exec \"$@\" --config CPackConfig.cmake"
        sh ${CMAKE_CPACK_COMMAND}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Packaging under umask 022, in UTC"
    VERBATIM)
add_dependencies(packages dayname)
if(TARGET package_docs)
    add_dependencies(packages package_docs)
endif()
