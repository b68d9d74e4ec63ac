# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# DAYNAME_DEB_REVISION: the Debian revision of the newest entry of
# packaging/debian/changelog, which must be of this version. Every Debian
# package of the project, the recipe's and cpack's, is version-revision.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^dayname \\(${PROJECT_VERSION}-([0-9A-Za-z.+~]+)\\) ")
    message(FATAL_ERROR "packaging/debian/changelog does not start with version ${PROJECT_VERSION}-REVISION")
endif()
set(DAYNAME_DEB_REVISION ${CMAKE_MATCH_1})
