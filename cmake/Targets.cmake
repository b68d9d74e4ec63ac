# Every Linux CPU that the project makes a download for, beside the build
# machine's own x86_64: one a line, with the name in the download's file name,
# the triplet of Debian's cross compiler (package g++-TRIPLET), what `file`
# says of the CPU of a program built for it, and the command that runs its
# programs here: qemu-user, under the oldest CPU that the CPU's Debian port
# supports, so that an instruction too new for it fails the tests.
set(DAYNAME_CROSS_TARGETS
    "aarch64 | aarch64-linux-gnu     | LSB .*, ARM aarch64          | qemu-aarch64-static -cpu cortex-a53"
    "armhf   | arm-linux-gnueabihf   | LSB .*, ARM, EABI5           | qemu-arm-static -cpu cortex-a7"
    "armel   | arm-linux-gnueabi     | LSB .*, ARM, EABI5           | qemu-arm-static -cpu arm1176"
    "i686    | i686-linux-gnu        | LSB .*, Intel 80386          | qemu-i386-static -cpu pentium2"
    "riscv64 | riscv64-linux-gnu     | 64-bit LSB .*, UCB RISC-V    | qemu-riscv64-static"
    "s390x   | s390x-linux-gnu       | 64-bit MSB .*, IBM S/390     | qemu-s390x-static"
    "ppc64   | powerpc64-linux-gnu   | 64-bit MSB .*, 64-bit PowerPC | qemu-ppc64-static"
    "ppc64le | powerpc64le-linux-gnu | 64-bit LSB .*, 64-bit PowerPC | qemu-ppc64le-static")

# Sets ARCH, TRIPLET, FILE_SAYS and EMULATOR from one line of the list.
macro(dayname_target_fields line)
    string(REGEX MATCH "^ *([^ |]+) *\\| *([^ |]+) *\\| *([^|]+[^ |]) *\\| *(.+)$" matched "${line}")
    set(ARCH ${CMAKE_MATCH_1})
    set(TRIPLET ${CMAKE_MATCH_2})
    set(FILE_SAYS ${CMAKE_MATCH_3})
    set(EMULATOR ${CMAKE_MATCH_4})
endmacro()

# Run as a script (cmake -P cmake/Targets.cmake), it prints the Debian
# packages that build and run them.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    set(packages qemu-user-static)
    foreach(line IN LISTS DAYNAME_CROSS_TARGETS)
        dayname_target_fields("${line}")
        list(APPEND packages g++-${TRIPLET})
    endforeach()
    list(REMOVE_DUPLICATES packages)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${packages})
endif()
