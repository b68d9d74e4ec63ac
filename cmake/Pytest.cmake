# The end-to-end tests are a pytest suite (tests/), run by CTest. Included
# where tests are built, it fails the configure when no pytest runs.
#
# Debian's pytest comes first: the first python3 on PATH may be another
# interpreter without it.
find_program(DAYNAME_PYTEST NAMES pytest-3 pytest DOC "pytest, which runs the end-to-end tests")
if(DAYNAME_PYTEST)
    # Run from the build folder: a conftest.py where it starts would be read.
    execute_process(COMMAND ${DAYNAME_PYTEST} --version
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        RESULT_VARIABLE pytestFailed OUTPUT_VARIABLE pytestVersion ERROR_VARIABLE pytestVersion)
    if(pytestFailed OR NOT pytestVersion MATCHES "pytest")
        message(STATUS "${DAYNAME_PYTEST} is no pytest that runs: ${pytestVersion}")
        set(DAYNAME_PYTEST "")
    endif()
endif()
if(NOT DAYNAME_PYTEST)
    message(FATAL_ERROR "The end-to-end tests need pytest, and no pytest that runs was found.\n"
        "Install it (on Debian: apt-get install python3-pytest), name it with "
        "-DDAYNAME_PYTEST=/path/to/pytest, or configure with -DBUILD_TESTING=OFF.")
endif()
if(CMAKE_CROSSCOMPILING)
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 runner)
    find_program(DAYNAME_RUNNER "${runner}" NO_CACHE)
    if(NOT DAYNAME_RUNNER)
        message(FATAL_ERROR "The end-to-end tests run the program, and nothing here runs a program "
            "for ${CMAKE_SYSTEM_NAME} on ${CMAKE_SYSTEM_PROCESSOR}: install what the toolchain file "
            "names (${runner}), or configure with -DBUILD_TESTING=OFF.")
    endif()
endif()

# dayname_add_end_to_end(NAME PROGRAM [pytest arguments...]) adds the test
# NAME, which runs the suite against PROGRAM behind the emulator of the
# dayname target, as CTest runs the target's own commands. Nothing is
# written into the source tree: no cache, no byte code.
function(dayname_add_end_to_end name program)
    get_target_property(emulator dayname CROSSCOMPILING_EMULATOR)
    if(NOT emulator)
        set(emulator)
    endif()
    list(TRANSFORM emulator PREPEND --emulator=)
    add_test(NAME ${name}
        COMMAND ${DAYNAME_PYTEST} -p no:cacheprovider -q -rs ${ARGN}
            --built-program=${program} ${emulator} ${PROJECT_SOURCE_DIR}/tests)
    set(environment PYTHONDONTWRITEBYTECODE=1)
    if(WIN32)
        # Wine keeps its prefix in the build folder, and says nothing of itself.
        list(APPEND environment WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all)
    endif()
    # Each case has its own deadline (tests/expected.py); this one is the
    # backstop for the whole run, which takes well under a minute natively.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 900)
endfunction()
