# What installs, and what the `packages` target makes of it with cpack, the
# file DAYNAME_PACKAGE in the build folder: with DAYNAME_DEBIAN or
# DAYNAME_RPM a package, its program under /usr linked against the system's
# libraries; otherwise an archive, tar.gz (zip on Windows), whose one folder
# dayname-<version>/ holds the install tree, README.md and LICENSE; for
# WebAssembly, the module itself. Every time in it is the newest changelog
# entry's, unless SOURCE_DATE_EPOCH is set, and cpack runs under umask 022 in
# UTC: every build of one release gives the same bytes.
option(DAYNAME_DEBIAN "Package as a .deb" OFF)
option(DAYNAME_RPM "Package as an .rpm" OFF)
include(GNUInstallDirs)
configure_file(doc/dayname.1 dayname.1 @ONLY)
if(WASI)
    set(DAYNAME_PACKAGE ${PROJECT_NAME}-${PROJECT_VERSION}-wasm32-wasi.wasm)
    add_custom_target(packages ${CMAKE_COMMAND} -E copy $<TARGET_FILE:dayname> ${DAYNAME_PACKAGE} VERBATIM)
    return()
endif()
install(TARGETS dayname RUNTIME DESTINATION $<IF:$<BOOL:${WIN32}>,.,${CMAKE_INSTALL_BINDIR}>)

# The contact, summary and description, as the Debian recipe has them.
file(READ packaging/debian/control control)
string(REGEX MATCH "\nMaintainer: ([^\n]*)" found "${control}")
set(CPACK_PACKAGE_CONTACT "${CMAKE_MATCH_1}")
string(REGEX MATCH "\nDescription: ([^\n]*)\n(( [^\n]*\n?)*)" found "${control}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_MATCH_1}")
string(REPLACE "\n " "\n" CPACK_PACKAGE_DESCRIPTION "${CMAKE_MATCH_2}")
string(STRIP "${CPACK_PACKAGE_DESCRIPTION}" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)
set(sourceDate $ENV{SOURCE_DATE_EPOCH})
if(NOT sourceDate)
    file(STRINGS packaging/debian/changelog newest REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX REPLACE ".*>  " "" newest "${newest}")
    execute_process(COMMAND date -u -d "${newest}" +%s OUTPUT_VARIABLE sourceDate
        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endif()

if(DAYNAME_DEBIAN OR DAYNAME_RPM)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # gzip -9n: no name and no time in the file, as Debian asks.
    foreach(file IN ITEMS ${PROJECT_BINARY_DIR}/dayname.1 ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
        get_filename_component(name ${file} NAME)
        add_custom_command(OUTPUT ${name}.gz COMMAND gzip -9n -c ${file} > ${name}.gz DEPENDS ${file})
    endforeach()
    add_custom_target(compressed ALL DEPENDS dayname.1.gz changelog.gz)
    install(FILES ${PROJECT_BINARY_DIR}/dayname.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
elseif(NOT WIN32)
    install(FILES ${PROJECT_BINARY_DIR}/dayname.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(DAYNAME_DEBIAN)
    if(NOT DAYNAME_DEB_ARCH)
        execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE DAYNAME_DEB_ARCH
            OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
    install(FILES packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME changelog.Debian.gz)
    install(FILES packaging/debian/dayname.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME dayname)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_RELEASE ${DAYNAME_REVISION})
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${DAYNAME_DEB_ARCH})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(DAYNAME_PACKAGE dayname_${PROJECT_VERSION}-${DAYNAME_REVISION}_${DAYNAME_DEB_ARCH}.deb)
elseif(DAYNAME_RPM)
    if(NOT DAYNAME_RPM_ARCH)
        set(DAYNAME_RPM_ARCH ${CMAKE_SYSTEM_PROCESSOR})
    endif()
    set(licences ${CMAKE_INSTALL_DATADIR}/licenses)
    install(FILES LICENSE DESTINATION ${licences}/${PROJECT_NAME})
    set(CPACK_GENERATOR RPM)
    set(CPACK_RPM_PACKAGE_RELEASE ${DAYNAME_REVISION})
    set(CPACK_RPM_PACKAGE_LICENSE MIT)
    set(CPACK_RPM_PACKAGE_URL https://example.org/dayname)
    set(CPACK_RPM_PACKAGE_SUMMARY "${PROJECT_DESCRIPTION}")
    set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
    set(CPACK_RPM_PACKAGE_ARCHITECTURE ${DAYNAME_RPM_ARCH})
    set(CPACK_RPM_USER_FILELIST "%license /usr/${licences}/${PROJECT_NAME}/LICENSE")
    set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
    # The package owns its files, not the system's folders, and no build-id links.
    set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/${CMAKE_INSTALL_MANDIR}
        /usr/${CMAKE_INSTALL_MANDIR}/man1 /usr/${licences})
    string(JOIN "\n" CPACK_RPM_SPEC_MORE_DEFINE "%define _build_id_links none"
        "%define use_source_date_epoch_as_buildtime 1" "%define clamp_mtime_to_source_date_epoch 1"
        "%define _buildhost reproducible")
    set(DAYNAME_PACKAGE dayname-${PROJECT_VERSION}-${DAYNAME_REVISION}.${DAYNAME_RPM_ARCH}.rpm)
else()
    install(FILES README.md LICENSE DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)
    if(NOT DAYNAME_ARCH)
        set(DAYNAME_ARCH ${CMAKE_SYSTEM_PROCESSOR})
    endif()
    string(TOLOWER "${PROJECT_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${DAYNAME_ARCH}" CPACK_ARCHIVE_FILE_NAME)
    set(CPACK_GENERATOR TGZ)
    set(DAYNAME_PACKAGE ${CPACK_ARCHIVE_FILE_NAME}.tar.gz)
    if(WIN32)
        set(CPACK_GENERATOR ZIP)
        set(DAYNAME_PACKAGE ${CPACK_ARCHIVE_FILE_NAME}.zip)
    endif()
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENTS_ALL Unspecified archive)
    set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION})
endif()
include(CPack)
add_custom_target(packages
    COMMAND sh -c "umask 022 && exec \"$@\" --config CPackConfig.cmake" sh
        ${CMAKE_COMMAND} -E env TZ=UTC SOURCE_DATE_EPOCH=${sourceDate} ${CMAKE_CPACK_COMMAND}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR} VERBATIM)
add_dependencies(packages dayname)
if(TARGET compressed)
    add_dependencies(packages compressed)
endif()
