# Every download, made by one build (DAYNAME_DIST): the source archive, then
# the static archive for x86_64 and for each CPU of cmake/Targets.cmake, the
# Debian package and the Windows zip, gathered with their SHA256SUMS in
# DAYNAME_DIST_DIR. Each binary download is an ExternalProject: the project
# as the source archive holds it, unpacked in source/ under this build, as a
# distribution builds it, in a build folder of its own with its own compiler.
# CTest then runs the end-to-end suite against each archive's own
# bin/dayname, under its qemu: what ships is what is tested.
include(ExternalProject)
include(Targets)

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
# downloads. A Linux archive is also unpacked in NAME/shipped/ for the tests.
function(dayname_download name file)
    set(unpack)
    if(file MATCHES "-linux-.*\\.tar\\.gz$")
        set(unpack
            COMMAND ${CMAKE_COMMAND} -E rm -rf <BINARY_DIR>/shipped
            COMMAND ${CMAKE_COMMAND} -E make_directory <BINARY_DIR>/shipped
            COMMAND ${CMAKE_COMMAND} -E chdir <BINARY_DIR>/shipped
                ${CMAKE_COMMAND} -E tar xzf ${DAYNAME_DIST_DIR}/${file})
    endif()
    ExternalProject_Add(${name}
        SOURCE_DIR ${unpacked}
        # Nothing to download: the sources are unpacked before any build.
        DOWNLOAD_COMMAND ""
        DEPENDS source-archive
        BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
            -DDAYNAME_RELATIVE_PATHS=ON ${ARGN}
        BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target packages
        BUILD_ALWAYS ON
        INSTALL_COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/${file} ${DAYNAME_DIST_DIR}/
            ${unpack})
    set(downloads ${downloads} ${file} PARENT_SCOPE)
    set(builds ${builds} ${name} PARENT_SCOPE)
endfunction()

# dayname_test_download(NAME ARCH FILE_SAYS [EMULATOR command]): that the
# program in the archive NAME made is a program for its CPU, by what `file`
# says of it, and needs no shared library; then the end-to-end suite against it.
function(dayname_test_download name arch fileSays)
    set(program ${CMAKE_BINARY_DIR}/${name}/shipped/dayname-${version}/bin/dayname)
    add_test(NAME file-${arch} COMMAND ${FILE_EXECUTABLE} -b ${program})
    set_tests_properties(file-${arch} PROPERTIES
        PASS_REGULAR_EXPRESSION "^ELF .*${fileSays}.*, (static-pie|statically) linked")
    dayname_add_end_to_end(end-to-end-${arch} ${program} ${ARGN})
    # Only this archive's program, whatever DAYNAME_PROGRAM says outside.
    set_property(TEST end-to-end-${arch} APPEND PROPERTY ENVIRONMENT DAYNAME_PROGRAM=${program})
endfunction()

file(MAKE_DIRECTORY ${DAYNAME_DIST_DIR})
if(BUILD_TESTING)
    include(Pytest)
    find_program(FILE_EXECUTABLE file REQUIRED)
    enable_testing()
endif()

dayname_download(linux-x86_64 dayname-${version}-linux-x86_64.tar.gz
    -DDAYNAME_STATIC=ON -DDAYNAME_ARCH=x86_64)
if(BUILD_TESTING)
    dayname_test_download(linux-x86_64 x86_64 "64-bit LSB .*, x86-64")
endif()
foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
    dayname_target_fields("${line}")
    dayname_download(linux-${ARCH} dayname-${version}-linux-${ARCH}.tar.gz
        -DCMAKE_TOOLCHAIN_FILE=${unpacked}/cmake/linux-cross.cmake
        -DDAYNAME_TRIPLET=${TRIPLET} -DDAYNAME_ARCH=${ARCH} -DDAYNAME_STATIC=ON)
    if(BUILD_TESTING)
        dayname_test_download(linux-${ARCH} ${ARCH} "${FILE_SAYS}" EMULATOR ${EMULATOR})
    endif()
endforeach()
dayname_download(debian dayname_${version}_amd64.deb -DDAYNAME_DEBIAN=ON)
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
