# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# DAYNAME_VERSION, project()'s version, read from CMakeLists.txt in a script;
# and DAYNAME_REVISION, the packages' revision: the Debian revision of the
# newest entry of packaging/debian/changelog, which must be of this version,
# and which the RPM release follows. Every package is VERSION-REVISION.
get_filename_component(top ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(PROJECT_VERSION)
    set(DAYNAME_VERSION ${PROJECT_VERSION})
else()
    file(STRINGS ${top}/CMakeLists.txt project REGEX "^project\\(dayname VERSION ")
    string(REGEX REPLACE ".* VERSION ([0-9.]+).*" "\\1" DAYNAME_VERSION "${project}")
endif()
file(STRINGS ${top}/packaging/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^dayname \\(${DAYNAME_VERSION}-([0-9A-Za-z.+~]+)\\) ")
    message(FATAL_ERROR "packaging/debian/changelog does not start with version ${DAYNAME_VERSION}-REVISION")
endif()
set(DAYNAME_REVISION ${CMAKE_MATCH_1})
