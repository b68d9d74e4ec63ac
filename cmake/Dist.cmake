# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Every download, made by one build (DAYNAME_DIST): the source archive, then
# for x86_64 and for each CPU of cmake/Targets.cmake the static archive, the
# Debian package and the RPM package where those families have a port, the
# WebAssembly module with its runner for Node, and the Windows zip, gathered
# with their SHA256SUMS in DAYNAME_DIST_DIR. Each
# binary download is an ExternalProject: the project as the source archive
# holds it, unpacked in source/ under this build, as a distribution builds
# it, in a build folder of its own with its own compiler.
# Each Linux tree builds its tests too, and CTest here runs them there: the
# end-to-end suite against the archive's own bin/dayname or the package's,
# installed, under the tree's qemu: what ships is what is tested.
include(ExternalProject)
include(Targets)
include(Version)

set(DAYNAME_DIST_DIR ${CMAKE_BINARY_DIR}/downloads CACHE PATH "Where the downloads go")
set(version ${PROJECT_VERSION})
set(downloads)
set(builds)

# The source release that distributions build from, and that every other
# download here is built from: the files of the last commit under
# dayname-<version>/, with the commit's time. It is unpacked afresh each
# time, with fresh file times, so that every build sees it as new.
set(source dayname-${version}.tar.gz)
set(unpacked ${CMAKE_BINARY_DIR}/source/dayname-${version})
add_custom_target(source-archive ALL
    COMMAND ${CMAKE_COMMAND} -D SOURCE_DIR=${PROJECT_SOURCE_DIR} -D ARCHIVE=${DAYNAME_DIST_DIR}/${source}
        -D PREFIX=dayname-${version}/ -P ${CMAKE_CURRENT_LIST_DIR}/SourceArchive.cmake
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/source
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/source
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/source
        ${CMAKE_COMMAND} -E tar xzf ${DAYNAME_DIST_DIR}/${source} --touch
    COMMENT "Archiving the sources of the last commit in ${source}, and unpacking them"
    VERBATIM)
list(APPEND downloads ${source})

# dayname_download(NAME FILE [cmake arguments...]): builds this project's
# packages in NAME/ with the arguments, and copies FILE, one of them, to the
# downloads. A Linux tree builds and runs its tests as well.
function(dayname_download name file)
    set(testing OFF)
    if(BUILD_TESTING AND NOT file MATCHES "\\.zip$")
        set(testing ON)
        add_test(NAME ${name}
            COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${CMAKE_BINARY_DIR}/${name}
                --output-on-failure --no-tests=error)
        set_tests_properties(${name} PROPERTIES TIMEOUT 1800)
    endif()
    ExternalProject_Add(${name}
        SOURCE_DIR ${unpacked}
        # Nothing to download: the sources are unpacked before any build.
        DOWNLOAD_COMMAND ""
        DEPENDS source-archive
        BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
            -DDAYNAME_RELATIVE_PATHS=ON -DBUILD_TESTING=${testing} -DDAYNAME_TEST_SHIPPED_ONLY=ON ${ARGN}
        BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target all packages
        BUILD_ALWAYS ON
        INSTALL_COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/${file} ${DAYNAME_DIST_DIR}/)
    set(downloads ${downloads} ${file} PARENT_SCOPE)
    set(builds ${builds} ${name} PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${DAYNAME_DIST_DIR})
if(BUILD_TESTING)
    enable_testing()
endif()

dayname_download(linux-x86_64 dayname-${version}-linux-x86_64.tar.gz
    -DDAYNAME_STATIC=ON -DDAYNAME_ARCH=x86_64)
dayname_download(debian-amd64 dayname_${version}-${DAYNAME_REVISION}_amd64.deb -DDAYNAME_DEBIAN=ON)
dayname_download(rpm-x86_64 dayname-${version}-${DAYNAME_REVISION}.x86_64.rpm -DDAYNAME_RPM=ON)
foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
    dayname_target_fields("${line}")
    set(cross -DCMAKE_TOOLCHAIN_FILE=${unpacked}/cmake/linux-cross.cmake -DDAYNAME_TRIPLET=${TRIPLET})
    dayname_download(linux-${ARCH} dayname-${version}-linux-${ARCH}.tar.gz ${cross} -DDAYNAME_STATIC=ON)
    if(NOT DEB_ARCH STREQUAL "-")
        dayname_download(debian-${DEB_ARCH} dayname_${version}-${DAYNAME_REVISION}_${DEB_ARCH}.deb ${cross} -DDAYNAME_DEBIAN=ON)
    endif()
    if(NOT RPM_ARCH STREQUAL "-")
        dayname_download(rpm-${RPM_ARCH} dayname-${version}-${DAYNAME_REVISION}.${RPM_ARCH}.rpm ${cross} -DDAYNAME_RPM=ON)
    endif()
endforeach()
dayname_download(wasi dayname-${version}-wasm32-wasi.wasm
    -DCMAKE_TOOLCHAIN_FILE=${unpacked}/cmake/wasi.cmake)
# Beside the module, the runner that Node's users run it with.
set(runner dayname-${version}-wasm32-wasi.cjs)
add_custom_target(wasi-runner ALL
    COMMAND ${CMAKE_COMMAND} -E copy ${unpacked}/wasi/dayname.cjs ${DAYNAME_DIST_DIR}/${runner}
    COMMENT "Copying the runner for Node to ${runner}"
    VERBATIM)
add_dependencies(wasi-runner source-archive)
list(APPEND downloads ${runner})
list(APPEND builds wasi-runner)
dayname_download(windows dayname-${version}-windows-x86_64.zip
    -DCMAKE_TOOLCHAIN_FILE=${unpacked}/cmake/mingw-w64-x86_64.cmake -DDAYNAME_STATIC=ON)

# SHA256SUMS last, over exactly these files, in C-locale order.
list(SORT downloads)
add_custom_target(sha256sums ALL
    COMMAND ${CMAKE_COMMAND} -D "FILES=${downloads}" -D DIR=${DAYNAME_DIST_DIR}
        -P ${CMAKE_CURRENT_LIST_DIR}/Sha256Sums.cmake
    COMMENT "Summing the downloads in ${DAYNAME_DIST_DIR}/SHA256SUMS"
    VERBATIM)
add_dependencies(sha256sums ${builds})
if(BUILD_TESTING)
    find_program(SHA256SUM_EXECUTABLE sha256sum REQUIRED)
    add_test(NAME sums COMMAND ${SHA256SUM_EXECUTABLE} --check --strict SHA256SUMS
        WORKING_DIRECTORY ${DAYNAME_DIST_DIR})
    set_tests_properties(sums PROPERTIES LABELS package TIMEOUT 60)
endif()
