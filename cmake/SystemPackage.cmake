# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# A package of the system, for the CPU being built for: the program under
# /usr, linked dynamically against the system's libraries, its manual page
# gzipped, and beside them
# - DAYNAME_DEBIAN: a .deb with the copyright file and changelog that Debian
#   wants, its Depends found by dpkg-shlibdeps in the CPU's own libraries;
# - DAYNAME_RPM: an .rpm with the licence where RPM distributions keep it,
#   its Requires found by rpm in the program itself.
# A cross toolchain names the CPU as the two families do (DAYNAME_DEB_ARCH and
# DAYNAME_RPM_ARCH, from cmake/Targets.cmake); "-" where the project makes no
# package of that family.
# DAYNAME_PACKAGE_FILE is the package's file name, in the build folder.
if(DAYNAME_DEBIAN AND DAYNAME_RPM)
    message(FATAL_ERROR "Choose one of DAYNAME_DEBIAN and DAYNAME_RPM")
endif()
find_program(GZIP_EXECUTABLE gzip REQUIRED)
include(Version)
# Each file to compress, and its name once installed.
set(compressed ${DAYNAME_MANUAL_PAGE} dayname.1)
if(DAYNAME_DEBIAN)
    # The changelog's newest entry names the version the package gets; it
    # has a Debian revision, so it is the package's changelog.Debian.
    list(APPEND compressed ${PROJECT_SOURCE_DIR}/packaging/debian/changelog changelog.Debian)
endif()
# gzip -9n: no name and no time stamp in the file, as Debian wants.
set(zipped)
while(compressed)
    list(POP_FRONT compressed source name)
    add_custom_command(OUTPUT ${name}.gz
        COMMAND ${GZIP_EXECUTABLE} -9n -c ${source} > ${name}.gz
        DEPENDS ${source}
        COMMENT "Compressing ${source}")
    list(APPEND zipped ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
endwhile()
add_custom_target(package_docs ALL DEPENDS ${zipped})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/dayname.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

if(DAYNAME_DEBIAN)
    install(FILES packaging/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
    # Where dh_lintian puts the recipe's overrides.
    install(FILES packaging/debian/dayname.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME dayname)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_RELEASE ${DAYNAME_REVISION})
    if(NOT CMAKE_CROSSCOMPILING)
        execute_process(COMMAND dpkg --print-architecture
            OUTPUT_VARIABLE DAYNAME_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    elseif(DAYNAME_DEB_ARCH STREQUAL "-" OR NOT DAYNAME_DEB_ARCH)
        message(FATAL_ERROR "cmake/Targets.cmake names no Debian architecture for ${CMAKE_SYSTEM_PROCESSOR}")
    else()
        # dpkg-shlibdeps finds the Depends in the libraries of the CPU's own
        # Debian packages, as a native build would.
        execute_process(COMMAND dpkg-query -W -f=\${Status} libstdc++6:${DAYNAME_DEB_ARCH}
            OUTPUT_VARIABLE status ERROR_QUIET)
        if(NOT status MATCHES "ok installed")
            message(FATAL_ERROR "The ${DAYNAME_DEB_ARCH} package needs Debian's own libraries for "
                "${DAYNAME_DEB_ARCH}: as root, dpkg --add-architecture ${DAYNAME_DEB_ARCH} && "
                "apt-get update && apt-get install libstdc++6:${DAYNAME_DEB_ARCH}")
        endif()
    endif()
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${DAYNAME_DEB_ARCH})
    set(DAYNAME_PACKAGE_FILE ${PROJECT_NAME}_${PROJECT_VERSION}-${DAYNAME_REVISION}_${DAYNAME_DEB_ARCH}.deb)
else()
    install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/${PROJECT_NAME})
    find_program(RPMBUILD_EXECUTABLE rpmbuild)
    if(NOT RPMBUILD_EXECUTABLE)
        message(FATAL_ERROR "The RPM package needs rpmbuild: on Debian, apt-get install rpm")
    endif()
    set(CPACK_GENERATOR RPM)
    set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
    set(CPACK_RPM_PACKAGE_RELEASE ${DAYNAME_REVISION})
    set(CPACK_RPM_PACKAGE_LICENSE MIT)
    set(CPACK_RPM_PACKAGE_URL https://example.org/dayname)
    # RPM's summary starts with a capital, Debian's without.
    string(SUBSTRING "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}" 0 1 first)
    string(SUBSTRING "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    set(CPACK_RPM_PACKAGE_SUMMARY "${first}${rest}")
    set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
    set(CPACK_RPM_PACKAGE_GROUP "Applications/Text")
    if(NOT CMAKE_CROSSCOMPILING)
        set(DAYNAME_RPM_ARCH ${CMAKE_SYSTEM_PROCESSOR})
    elseif(DAYNAME_RPM_ARCH STREQUAL "-" OR NOT DAYNAME_RPM_ARCH)
        message(FATAL_ERROR "cmake/Targets.cmake names no RPM architecture for ${CMAKE_SYSTEM_PROCESSOR}")
    endif()
    set(CPACK_RPM_PACKAGE_ARCHITECTURE ${DAYNAME_RPM_ARCH})
    set(DAYNAME_PACKAGE_FILE
        ${PROJECT_NAME}-${PROJECT_VERSION}-${CPACK_RPM_PACKAGE_RELEASE}.${DAYNAME_RPM_ARCH}.rpm)
    # The package owns its own files only, never the system's folders.
    set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
        ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}
        ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1
        ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/licenses)
    # The same bytes from every build: the build time and every file time are
    # the last commit's, the build host a fixed name. No /usr/lib/.build-id
    # links, whose folders the package would otherwise own.
    string(JOIN "\n" CPACK_RPM_SPEC_MORE_DEFINE
        "%define packager ${CPACK_PACKAGE_CONTACT}"
        "%define _build_id_links none"
        "%define use_source_date_epoch_as_buildtime 1"
        "%define clamp_mtime_to_source_date_epoch 1"
        "%define _buildhost reproducible")
endif()
