# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# cmake -D PROGRAM=... -D GLIBC=2.34 -D GLIBCXX=3.4.29 -P SymbolVersions.cmake
# fails when PROGRAM needs a GLIBC_ or GLIBCXX_ symbol version newer than the
# one given: a system whose C or C++ library is that old could not run it.
find_program(READELF_EXECUTABLE readelf REQUIRED)
execute_process(COMMAND ${READELF_EXECUTABLE} --version-info --wide ${PROGRAM}
    OUTPUT_VARIABLE info COMMAND_ERROR_IS_FATAL ANY)
foreach(library GLIBC GLIBCXX)
    string(REGEX MATCHALL "${library}_[0-9.]+" needed "${info}")
    set(highest 0)
    foreach(version IN LISTS needed)
        string(REPLACE "${library}_" "" version ${version})
        if(version VERSION_GREATER highest)
            set(highest ${version})
        endif()
    endforeach()
    message("${PROGRAM} needs ${library}_${highest}; the oldest system has ${library}_${${library}}")
    if(highest VERSION_GREATER ${library})
        message(FATAL_ERROR "${library}_${highest} is newer than ${library}_${${library}}")
    endif()
endforeach()
