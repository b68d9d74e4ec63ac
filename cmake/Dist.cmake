# Every download, in DAYNAME_DIST_DIR with SHA256SUMS: the source archive, and
# each archive, package, module and zip built from it in a tree of its own,
# whose tests CTest runs here against what ships.
include(ExternalProject)
include(Targets)
set(DAYNAME_DIST_DIR ${CMAKE_BINARY_DIR}/downloads CACHE PATH "Where the downloads go")
file(MAKE_DIRECTORY ${DAYNAME_DIST_DIR})
set(version ${PROJECT_VERSION})
enable_testing()

# The source archive: the last commit, as git archive makes it, its entries
# owned by 0/0 with modes 0644 and 0755 whatever the checkout's umask.
set(source ${CMAKE_BINARY_DIR}/source/dayname-${version})
add_custom_target(source-archive ALL
    COMMAND git -C ${PROJECT_SOURCE_DIR} -c tar.umask=0022 archive --format=tar.gz
        --prefix=dayname-${version}/ -o ${DAYNAME_DIST_DIR}/dayname-${version}.tar.gz HEAD
    COMMAND sh -c "rm -rf source && mkdir source && tar -xzmf $0 -C source" ${DAYNAME_DIST_DIR}/dayname-${version}.tar.gz
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR} VERBATIM)
set(downloads dayname-${version}.tar.gz)

# dayname_download(NAME FILE [cmake arguments...]): FILE, made in NAME/ and tested
# there, unless the arguments say -DBUILD_TESTING=OFF.
function(dayname_download name file)
    if(BUILD_TESTING AND NOT "-DBUILD_TESTING=OFF" IN_LIST ARGN)
        add_test(NAME ${name} COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${name} --output-on-failure --no-tests=error)
        set_tests_properties(${name} PROPERTIES TIMEOUT 1800)
    endif()
    ExternalProject_Add(${name} SOURCE_DIR ${source} DOWNLOAD_COMMAND "" DEPENDS source-archive
        BINARY_DIR ${CMAKE_BINARY_DIR}/${name} BUILD_ALWAYS ON
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DDAYNAME_RELATIVE_PATHS=ON
            -DBUILD_TESTING=${BUILD_TESTING} -DDAYNAME_TEST_SHIPPED_ONLY=ON ${ARGN}
        BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target all packages
        INSTALL_COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/${file} ${DAYNAME_DIST_DIR}/)
    set(downloads ${downloads} ${file} PARENT_SCOPE)
    set(builds ${builds} ${name} PARENT_SCOPE)
endfunction()

set(deb dayname_${version}-${DAYNAME_REVISION})
set(rpm dayname-${version}-${DAYNAME_REVISION})
# The bytes that the static, package, wasi and windows presets test.
set(testedElsewhere -DBUILD_TESTING=OFF)
dayname_download(linux-x86_64 dayname-${version}-linux-x86_64.tar.gz ${testedElsewhere} -DDAYNAME_STATIC=ON)
dayname_download(debian-amd64 ${deb}_amd64.deb ${testedElsewhere} -DDAYNAME_DEBIAN=ON)
dayname_download(rpm-x86_64 ${rpm}.x86_64.rpm -DDAYNAME_RPM=ON)
foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
    dayname_target_fields("${line}")
    set(cross -DCMAKE_TOOLCHAIN_FILE=${source}/cmake/linux-cross.cmake -DDAYNAME_TRIPLET=${DAYNAME_TRIPLET})
    dayname_download(linux-${DAYNAME_ARCH} dayname-${version}-linux-${DAYNAME_ARCH}.tar.gz ${cross} -DDAYNAME_STATIC=ON)
    if(NOT DAYNAME_DEB_ARCH STREQUAL "-")
        dayname_download(debian-${DAYNAME_DEB_ARCH} ${deb}_${DAYNAME_DEB_ARCH}.deb ${cross} -DDAYNAME_DEBIAN=ON)
    endif()
    if(NOT DAYNAME_RPM_ARCH STREQUAL "-")
        dayname_download(rpm-${DAYNAME_RPM_ARCH} ${rpm}.${DAYNAME_RPM_ARCH}.rpm ${cross} -DDAYNAME_RPM=ON)
    endif()
endforeach()
dayname_download(wasi dayname-${version}-wasm32-wasi.wasm ${testedElsewhere} -DCMAKE_TOOLCHAIN_FILE=${source}/cmake/wasi.cmake)
dayname_download(windows dayname-${version}-windows-x86_64.zip ${testedElsewhere}
    -DCMAKE_TOOLCHAIN_FILE=${source}/cmake/mingw-w64-x86_64.cmake -DDAYNAME_STATIC=ON)

# The runner that Node's users run the module with, then the sums of exactly these files.
set(runner dayname-${version}-wasm32-wasi.cjs)
list(APPEND downloads ${runner})
list(SORT downloads)
add_custom_target(sha256sums ALL
    COMMAND ${CMAKE_COMMAND} -E copy ${source}/wasi/dayname.cjs ${runner}
    COMMAND sh -c "sha256sum \"$@\" > SHA256SUMS" sh ${downloads}
    WORKING_DIRECTORY ${DAYNAME_DIST_DIR} VERBATIM)
add_dependencies(sha256sums ${builds})
if(BUILD_TESTING)
    add_test(NAME sums COMMAND sha256sum --check --strict SHA256SUMS WORKING_DIRECTORY ${DAYNAME_DIST_DIR})
    add_test(NAME source-archive-modes WORKING_DIRECTORY ${DAYNAME_DIST_DIR} COMMAND sh -c
        "tar --numeric-owner -tvzf dayname-${version}.tar.gz | grep -Ev '^(-rw-r--r--|-rwxr-xr-x|drwxr-xr-x|lrwxrwxrwx) 0/0 ' || true")
    set_tests_properties(source-archive-modes PROPERTIES FAIL_REGULAR_EXPRESSION "." TIMEOUT 60)
endif()
