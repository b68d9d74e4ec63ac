# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# cmake -D SOURCE_DIR=... -D ARCHIVE=... -D PREFIX=... -P SourceArchive.cmake
# writes ARCHIVE, the source release: the files of SOURCE_DIR's last commit
# under PREFIX, with the commit's time, as git archive makes them. Every
# download is built from this archive alone, so that none holds what it
# lacks: uncommitted changes are named here, and left out of all of them.
find_package(Git REQUIRED)
execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} status --porcelain
    OUTPUT_VARIABLE changes OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(changes)
    string(REPLACE "\n" "\n  " changes "  ${changes}")
    message(WARNING "These uncommitted changes are not in the source archive, "
        "nor in any download built from it:\n${changes}")
endif()
execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} archive --format=tar.gz
        --prefix=${PREFIX} -o ${ARCHIVE} HEAD
    COMMAND_ERROR_IS_FATAL ANY)
