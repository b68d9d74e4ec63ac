# Read by cpack: every time stamp in a package is the time of the last commit,
# unless SOURCE_DATE_EPOCH already says otherwise.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git log -1 --format=%ct
        WORKING_DIRECTORY ${CPACK_DAYNAME_SOURCE_DIR}
        OUTPUT_VARIABLE lastCommit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(lastCommit)
        set(ENV{SOURCE_DATE_EPOCH} ${lastCommit})
    endif()
endif()
