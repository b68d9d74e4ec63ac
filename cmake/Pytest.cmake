# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# The end-to-end tests are a pytest suite (tests/), run by CTest with the
# pytest that cmake/Testing.cmake found.

# dayname_pytest(NAME [pytest arguments...]) adds the test NAME, which runs
# pytest with the arguments. Nothing is written into the source tree (no
# cache, no byte code) nor into $TMPDIR: each test's temporary folders are
# under the build folder's pytest/NAME, made afresh by each run.
function(dayname_pytest name)
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/pytest)
    add_test(NAME ${name}
        COMMAND ${DAYNAME_PYTEST} -p no:cacheprovider -q -rfEs --tb=short
            --basetemp=${CMAKE_CURRENT_BINARY_DIR}/pytest/${name} ${ARGN})
endfunction()

# dayname_add_end_to_end(NAME PROGRAM [pytest arguments...]) adds the test
# NAME, which runs the suite against PROGRAM behind the emulator of the
# dayname target, as CTest runs the target's own commands.
function(dayname_add_end_to_end name program)
    get_target_property(emulator dayname CROSSCOMPILING_EMULATOR)
    if(NOT emulator)
        set(emulator)
    endif()
    list(TRANSFORM emulator PREPEND --emulator=)
    set(stdlib libstdc++)
    if(WASI)
        # clang's only C++ library for WebAssembly.
        set(stdlib libc++)
    elseif(DAYNAME_STDLIB)
        set(stdlib ${DAYNAME_STDLIB})
    endif()
    dayname_pytest(${name} ${ARGN}
        --built-program=${program} ${emulator} --stdlib=${stdlib} ${PROJECT_SOURCE_DIR}/tests)
    set(environment PYTHONDONTWRITEBYTECODE=1)
    if(WIN32)
        # Wine keeps its prefix in the build folder, and says nothing of itself.
        list(APPEND environment WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all)
    endif()
    # Each case has its own deadline (tests/expected.py); this one is the
    # backstop for the whole run, which takes well under a minute natively.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 900 LABELS end-to-end)
endfunction()
