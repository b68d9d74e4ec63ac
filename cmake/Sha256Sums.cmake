# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Writes DIR/SHA256SUMS over FILES, a list of names in DIR, as sha256sum -c reads it.
set(sums "")
foreach(name IN LISTS FILES)
    file(SHA256 ${DIR}/${name} sum)
    string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE ${DIR}/SHA256SUMS "${sums}")
