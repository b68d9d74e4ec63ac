# Every Linux CPU with downloads beside x86_64, a line each: the archive's name
# for it, Debian's cross compiler (g++-TRIPLET), its Debian and RPM names ("-":
# no package there), what `file` says of its programs, and the qemu that runs
# them as the CPU that the compiler targets by default, so that an instruction
# too new for it fails. qemu 7.2's z196 lacks the features left out below; its
# 970 and POWER5+ models break memset and unwinding, so POWER7 stands in for POWER4.
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

# Sets DAYNAME_ARCH, _TRIPLET, _DEB_ARCH, _RPM_ARCH, _FILE_SAYS and _EMULATOR from one line of the list.
macro(dayname_target_fields line)
    string(REPLACE "|" ";" fields "${line}")
    list(TRANSFORM fields STRIP)
    list(POP_FRONT fields DAYNAME_ARCH DAYNAME_TRIPLET DAYNAME_DEB_ARCH DAYNAME_RPM_ARCH DAYNAME_FILE_SAYS DAYNAME_EMULATOR)
endmacro()
