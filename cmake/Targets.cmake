# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Every Linux CPU that the project makes downloads for, beside the build
# machine's own x86_64: one a line, with the name in the archive's file name,
# the triplet of Debian's cross compiler (package g++-TRIPLET), the CPU's
# names as Debian and RPM packages give them ("-" where the project makes no
# package of that family: Debian 12 has no such port, or RHEL 9 does not run
# there), what `file` says of the CPU of a program built for it, and the
# command that runs its programs here: qemu-user, emulating the CPU that the
# cross compiler targets by default, so that an instruction too new for it
# fails the tests.
#
# Two rows cannot have the compiler's own CPU. qemu 7.2 has no z196 as it
# is: it lacks decimal floating point, the crypto functions and some system
# facilities, which are left out. On qemu's 970 and POWER5+ models memset
# leaves three quarters of a buffer as it was, and a thrown C++ exception
# crashes the unwinder; POWER7 is the oldest model left, for a compiler that
# targets POWER4.
set(z196 "z196-base,msa-base=off,klmd-sha-1=off,kimd-sha-1=off,km-dea=off,km-tdea-128=off,km-tdea-192=off,kmc-dea=off,kmc-tdea-128=off,kmc-tdea-192=off,kmac-dea=off,kmac-tdea-128=off,kmac-tdea-192=off,dfp=off,dfphp=off,pfpo=off,hfpm=off,hfpue=off,dateh2=off,cmpsceh=off,emon=off,parseh=off,nonqks=off,csske=off,asnlxr=off,tods=off")
set(DAYNAME_CROSS_TARGETS
    "aarch64 | aarch64-linux-gnu     | arm64   | aarch64 | LSB .*, ARM aarch64           | qemu-aarch64-static -cpu cortex-a53"
    "armhf   | arm-linux-gnueabihf   | armhf   | -       | LSB .*, ARM, EABI5            | qemu-arm-static -cpu cortex-a8"
    "armel   | arm-linux-gnueabi     | armel   | -       | LSB .*, ARM, EABI5            | qemu-arm-static -cpu arm926"
    "i686    | i686-linux-gnu        | i386    | -       | LSB .*, Intel 80386           | qemu-i386-static -cpu pentium2"
    "riscv64 | riscv64-linux-gnu     | -       | -       | 64-bit LSB .*, UCB RISC-V     | qemu-riscv64-static -cpu sifive-u54"
    "s390x   | s390x-linux-gnu       | s390x   | s390x   | 64-bit MSB .*, IBM S/390      | qemu-s390x-static -cpu ${z196}"
    "ppc64   | powerpc64-linux-gnu   | -       | -       | 64-bit MSB .*, 64-bit PowerPC | qemu-ppc64-static -cpu power7"
    "ppc64le | powerpc64le-linux-gnu | ppc64el | ppc64le | 64-bit LSB .*, 64-bit PowerPC | qemu-ppc64le-static -cpu power8")

# The oldest C and C++ libraries that the packages run with: RHEL 9's.
set(DAYNAME_OLDEST_GLIBC 2.34)
set(DAYNAME_OLDEST_GLIBCXX 3.4.29)

# What the documents say of each: what `uname -m` prints there, the machine,
# and the CPU that qemu emulates.
set(DAYNAME_TARGET_WORDS
    "aarch64 | aarch64          | 64-bit ARM                                              | Cortex-A53 (ARMv8-A)"
    "armhf   | armv7l           | 32-bit ARMv7 with hardware floating point               | Cortex-A8 (ARMv7-A with VFPv3)"
    "armel   | armv5tel, armv6l | 32-bit ARMv5TE and later, soft-float ABI                | ARM926 (ARMv5TE), as in the Raspberry Pi 1 and Zero"
    "i686    | i686             | 32-bit x86                                              | Pentium II (i686)"
    "riscv64 | riscv64          | 64-bit RISC-V                                           | SiFive U54 (RV64GC)"
    "s390x   | s390x            | IBM Z                                                   | z196, less what qemu lacks"
    "ppc64   | ppc64            | 64-bit big-endian POWER                                 | POWER7, the oldest model that qemu runs it on"
    "ppc64le | ppc64le          | 64-bit little-endian POWER                              | POWER8")

# Sets ARCH, TRIPLET, DEB_ARCH, RPM_ARCH, FILE_SAYS and EMULATOR from one line of the list.
macro(dayname_target_fields line)
    string(REPLACE "|" ";" fields "${line}")
    list(TRANSFORM fields STRIP)
    list(POP_FRONT fields ARCH TRIPLET DEB_ARCH RPM_ARCH FILE_SAYS EMULATOR)
endmacro()

# Sets UNAME, MACHINE and CPU for ARCH from DAYNAME_TARGET_WORDS.
macro(dayname_target_words)
    set(CPU)
    foreach(words IN LISTS DAYNAME_TARGET_WORDS)
        string(REPLACE "|" ";" words "${words}")
        list(TRANSFORM words STRIP)
        if(words MATCHES "^${ARCH};")
            list(POP_FRONT words arch UNAME MACHINE CPU)
        endif()
    endforeach()
    if(NOT CPU)
        message(FATAL_ERROR "DAYNAME_TARGET_WORDS has no line for ${ARCH}")
    endif()
endmacro()

# Run as a script (cmake -P cmake/Targets.cmake), it prints the Debian
# packages that build, package and run them: the Debian packages need each
# CPU's own libstdc++6:DEB_ARCH, from that foreign architecture of dpkg's.
# With -D PRINT=targets first, it prints the list itself, one line a CPU;
# with PRINT=archives or PRINT=packages, the tables of doc/platforms.md.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND PRINT STREQUAL "targets")
    list(JOIN DAYNAME_CROSS_TARGETS "\n" lines)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${lines}")
elseif(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND PRINT STREQUAL "archives")
    set(lines "| `uname -m` | archive | CPU tested: the compiler's baseline | qemu model |" "|---|---|---|---|"
        "| x86_64 | `dayname-<version>-linux-x86_64.tar.gz` | the build machine's | none: natively |")
    foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
        dayname_target_fields("${line}")
        dayname_target_words()
        string(REGEX REPLACE ".* -cpu ([^,]*).*" "\\1" model "${EMULATOR}")
        string(REGEX MATCHALL "=off" facilities "${EMULATOR}")
        list(LENGTH facilities facilities)
        if(facilities)
            set(model "${model}`, with ${facilities} facilities off")
        else()
            set(model "${model}`")
        endif()
        list(APPEND lines "| ${UNAME} | `dayname-<version>-linux-${ARCH}.tar.gz` | ${CPU} | `${model} |")
    endforeach()
    list(JOIN lines "\n" lines)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${lines}")
elseif(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND PRINT STREQUAL "packages")
    include(${CMAKE_CURRENT_LIST_DIR}/Version.cmake)
    set(deb "dayname_<version>-${DAYNAME_REVISION}")
    set(rpm "dayname-<version>-${DAYNAME_REVISION}")
    set(debs "| `${deb}_amd64.deb` | amd64 | Debian 12 or newer, and its kin with glibc ${DAYNAME_OLDEST_GLIBC} or newer, on x86-64 | natively |")
    set(rpms "| `${rpm}.x86_64.rpm` | x86_64 | RHEL 9 or newer and its rebuilds, Fedora, and any RPM distribution with glibc ${DAYNAME_OLDEST_GLIBC} or newer, on x86-64 | natively |")
    foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
        dayname_target_fields("${line}")
        dayname_target_words()
        if(NOT DEB_ARCH STREQUAL "-")
            list(APPEND debs "| `${deb}_${DEB_ARCH}.deb` | ${DEB_ARCH} | the same, on ${MACHINE} | the ${ARCH} archive's qemu |")
        endif()
        if(NOT RPM_ARCH STREQUAL "-")
            list(APPEND rpms "| `${rpm}.${RPM_ARCH}.rpm` | ${RPM_ARCH} | the same, on ${MACHINE} | the ${ARCH} archive's qemu |")
        endif()
    endforeach()
    list(JOIN debs "\n" debs)
    list(JOIN rpms "\n" rpms)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "| package | architecture | for | tested under |\n|---|---|---|---|\n${debs}\n${rpms}")
elseif(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    set(packages qemu-user-static rpm rpmlint)
    foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
        dayname_target_fields("${line}")
        list(APPEND packages g++-${TRIPLET})
        if(NOT DEB_ARCH STREQUAL "-")
            list(APPEND packages libstdc++6:${DEB_ARCH})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES packages)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${packages})
endif()
