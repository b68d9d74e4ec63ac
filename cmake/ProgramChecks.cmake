# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# What each tree promises of the program it builds, as CTest tests that read
# the binary or the build, one label a kind, so that
# `ctest --test-dir build/<tree> -L LABEL` runs one kind alone:
#   linkage    a dynamic build needs shared libraries, a static one none
#   hardening  a native x86-64 program has each protection that its flags
#              ask for (DAYNAME_PROTECTIONS, cmake/Hardening.cmake): a stack
#              that cannot run code, a stack canary that guards main, position
#              independence (a static PIE where static), RELRO, all bound at start
#   package    the Windows zip: dayname.exe imports only Windows' own DLLs,
#              and the zip holds it, README.md and LICENSE
#   build      a Release build compiles the dialogue optimised
# Included by tests/CMakeLists.txt. The tools are the binutils that CMake
# found for the compiler (CMAKE_READELF, CMAKE_OBJDUMP), and file.

# dayname_check(NAME LABEL PASS|FAIL REGEX COMMAND...) adds the test NAME,
# which runs COMMAND and passes only if its output matches REGEX (PASS), or
# fails if it does (FAIL). A PASS test passes whatever the exit status.
function(dayname_check name label verdict regex)
    add_test(NAME ${name} COMMAND ${ARGN})
    set_tests_properties(${name} PROPERTIES
        LABELS ${label} TIMEOUT 60 ${verdict}_REGULAR_EXPRESSION "${regex}")
endfunction()

set(program $<TARGET_FILE:dayname>)
if(WIN32)
    # MinGW's own DLLs are all named lib*.dll; Windows' are not.
    dayname_check(imports-windows-dlls package PASS "DLL Name: " ${CMAKE_OBJDUMP} -p ${program})
    set_tests_properties(imports-windows-dlls PROPERTIES FAIL_REGULAR_EXPRESSION "DLL Name: [lL][iI][bB]")
    # cpack lists the zip's folder in this order.
    set(top "${PROJECT_NAME}-${PROJECT_VERSION}/")
    dayname_check(zip-contents package PASS "^${top}dayname\\.exe\n${top}LICENSE\n${top}README\\.md\n$"
        ${CMAKE_COMMAND} -E tar tf ${CMAKE_BINARY_DIR}/${CPACK_ARCHIVE_FILE_NAME}.zip)
elseif(NOT WASI)
    if(DAYNAME_STATIC)
        dayname_check(needs-no-shared-library linkage FAIL "NEEDED" ${CMAKE_READELF} --dynamic ${program})
    else()
        dayname_check(linked-dynamically linkage PASS "NEEDED" ${CMAKE_READELF} --dynamic ${program})
    endif()
endif()

if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(headers ${CMAKE_READELF} --file-header --program-headers --dynamic --wide ${program})
    if("no-executable-stack" IN_LIST DAYNAME_PROTECTIONS)
        dayname_check(no-executable-stack hardening PASS "GNU_STACK" ${headers})
        set_tests_properties(no-executable-stack PROPERTIES FAIL_REGULAR_EXPRESSION "GNU_STACK[^\n]* RWE ")
    endif()
    if("stack-canary" IN_LIST DAYNAME_PROTECTIONS)
        # The canary is read from the thread's block, at %fs:0x28 on x86-64.
        # clang's trees have LLVM's objdump, which names the option otherwise
        # and writes the offset in decimal.
        set(disassemble --disassemble=main)
        if(CMAKE_OBJDUMP MATCHES "llvm-objdump")
            set(disassemble --disassemble-symbols=main)
        endif()
        dayname_check(stack-canary hardening PASS "%fs:(0x28|40)," ${CMAKE_OBJDUMP} ${disassemble} ${program})
    endif()
    if(DAYNAME_STATIC)
        # The x86-64 archive promises a static PIE, which glibc there can link.
        find_program(FILE_EXECUTABLE file REQUIRED)
        dayname_check(static-pie hardening PASS "static-pie linked" ${FILE_EXECUTABLE} -b ${program})
    elseif("pie" IN_LIST DAYNAME_PROTECTIONS)
        dayname_check(pie hardening PASS "Type: +DYN .*FLAGS_1.* PIE" ${headers})
    endif()
    if("relro" IN_LIST DAYNAME_PROTECTIONS)
        dayname_check(relro hardening PASS "GNU_RELRO" ${headers})
    endif()
    if("bind-now" IN_LIST DAYNAME_PROTECTIONS)
        dayname_check(bind-now hardening PASS "\\(FLAGS\\) +BIND_NOW" ${headers})
    endif()
endif()

# The compile line of the dialogue, as the build records it, optimises.
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND CMAKE_EXPORT_COMPILE_COMMANDS)
    dayname_check(optimised build PASS "\"command\": \"[^\"]* -O[1-3s]? [^\"]*src/main\\.cpp\""
        ${CMAKE_COMMAND} -E cat ${CMAKE_BINARY_DIR}/compile_commands.json)
    set_tests_properties(optimised PROPERTIES FAIL_REGULAR_EXPRESSION " -O0 [^\"]*src/main\\.cpp\"")
endif()
