# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Read by cpack: every time stamp in a package is the time of the last commit,
# unless SOURCE_DATE_EPOCH already says otherwise. The source archive carries
# that time in packaging/source-date (see .gitattributes); a git checkout
# holds only the placeholder there, and its own repository tells the time.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    file(READ ${CPACK_DAYNAME_SOURCE_DIR}/packaging/source-date lastCommit)
    string(STRIP "${lastCommit}" lastCommit)
    if(NOT lastCommit MATCHES "^[0-9]+$")
        # Only a repository whose top is the source folder is this project's:
        # there, the way up to the top is empty.
        execute_process(COMMAND git rev-parse --show-cdup
            WORKING_DIRECTORY ${CPACK_DAYNAME_SOURCE_DIR}
            RESULT_VARIABLE outside OUTPUT_VARIABLE up OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        set(lastCommit)
        if(NOT outside AND up STREQUAL "")
            execute_process(COMMAND git log -1 --format=%ct
                WORKING_DIRECTORY ${CPACK_DAYNAME_SOURCE_DIR}
                OUTPUT_VARIABLE lastCommit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        endif()
    endif()
    if(lastCommit)
        set(ENV{SOURCE_DATE_EPOCH} ${lastCommit})
    else()
        message(WARNING "No time of the last commit, in packaging/source-date or from git: "
            "the packages carry the time they are made. Set SOURCE_DATE_EPOCH to choose one.")
    endif()
endif()
