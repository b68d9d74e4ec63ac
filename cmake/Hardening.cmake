# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# Hardening, on by default for every build but Windows ones: the stack is
# protected, the binary is position independent with read-only relocations
# bound at start, glibc's checked functions guard the optimised builds, and
# libstdc++ checks its own preconditions in the debug ones. These are the
# protections Debian builds with. Each flag is added only where the compiler
# and linker accept it.
#
# The packager decides first, concern by concern: where their CXXFLAGS or
# LDFLAGS (CMAKE_CXX_FLAGS, CMAKE_EXE_LINKER_FLAGS and the build type's own)
# already say anything of a concern, on or off, this adds nothing for it.
# Each concern, what this adds, and the packager's flags that decide it:
#   stack protector     -fstack-protector-strong   -f[no-]stack-protector*
#   stack clash         -fstack-clash-protection   -f[no-]stack-clash-protection
#   control flow        -fcf-protection            -f[no-]cf-protection*
#   PIE                 -fPIE, -pie, unless the compiler's default
#                                                  -f[no-]pie, -f[no-]PIE, -f[no-]pic, -f[no-]PIC, -[no-]pie
#   format checks       -Wformat, -Werror=format-security
#                                                  -W[no-]format, -W[no-][error=]format-security
#   RELRO, bound at start  -Wl,-z,relro,-z,now     -z relro, norelro, now or lazy
#   _FORTIFY_SOURCE     -D_FORTIFY_SOURCE=2 where the build optimises
#                                                  any mention of it, or a compiler that defines it itself
#
# dayname_harden(TARGET) puts the flags on TARGET's interface, so that all
# that links to it is built the same way, and says which it took and which
# concerns it left to the packager.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)

option(DAYNAME_HARDENING "Build with the stack protector, PIE, full RELRO and checked functions" ON)

# Adds compile FLAG to the target and to `taken` where the compiler accepts it,
# or to `packagers` where the packager's flags match DECIDES, when given.
macro(dayname_harden_with flag)
    string(MAKE_C_IDENTIFIER "DAYNAME_HAS${flag}" accepted)
    if(NOT "${ARGN}" STREQUAL "" AND "${packagerCompiles}${packagerLinks}" MATCHES "${ARGN}")
        list(APPEND packagers ${flag})
    else()
        check_cxx_compiler_flag(${flag} ${accepted})
        if(${accepted})
            target_compile_options(${target} INTERFACE ${flag})
            list(APPEND taken ${flag})
        endif()
    endif()
endmacro()

function(dayname_harden target)
    if(WIN32 OR WASI OR NOT DAYNAME_HARDENING)
        return()
    endif()
    string(TOUPPER "${CMAKE_BUILD_TYPE}" buildType)
    set(packagerCompiles " ${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${buildType}} ")
    set(packagerLinks " ${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${buildType}} ")
    set(taken)
    set(packagers)

    # Each compile flag, unless the packager's flags match what decides its concern.
    dayname_harden_with(-fstack-protector-strong "-f(no-)?stack-protector")
    dayname_harden_with(-fstack-clash-protection "-f(no-)?stack-clash-protection")
    dayname_harden_with(-fcf-protection "-f(no-)?cf-protection")
    # Where the compiler makes programs position independent by default, as
    # Debian's and Fedora's do, neither -fPIE nor -pie is needed.
    set(pieDecides "-f(no-)?(pie|PIE|pic|PIC) |[ ,]-(no-)?pie[ ,]")
    if(NOT "${packagerCompiles}${packagerLinks}" MATCHES "${pieDecides}")
        check_cxx_source_compiles("
            #ifndef __PIE__
            #error not position independent by default
            #endif
            int main() { return 0; }" DAYNAME_PIE_BY_DEFAULT)
    endif()
    if(DAYNAME_PIE_BY_DEFAULT)
        set(pie "(PIE by default)")
    else()
        dayname_harden_with(-fPIE "${pieDecides}")
    endif()
    # -Werror=format-security is ignored, with a warning, without -Wformat.
    set(CMAKE_REQUIRED_FLAGS -Wformat)
    dayname_harden_with(-Wformat " -W(no-)?format ")
    dayname_harden_with(-Werror=format-security "-W(no-)?(error=)?format-security")
    unset(CMAKE_REQUIRED_FLAGS)

    # A static build links as a static PIE instead (DAYNAME_STATIC): a later
    # -pie would make it dynamic again.
    set(linkFlags)
    if("${packagerLinks}" MATCHES "-z[, ]*(no)?relro|-z[, ]*(now|lazy)")
        list(APPEND packagers "-z relro -z now")
    else()
        list(APPEND linkFlags LINKER:-z,relro,-z,now)
    endif()
    if(NOT DAYNAME_STATIC AND "-fPIE" IN_LIST taken)
        list(APPEND linkFlags -pie)
    endif()
    foreach(flag IN LISTS linkFlags)
        string(MAKE_C_IDENTIFIER "DAYNAME_LINKS${flag}" accepted)
        check_linker_flag(CXX ${flag} ${accepted})
        if(${accepted})
            target_link_options(${target} INTERFACE ${flag})
            list(APPEND taken ${flag})
        endif()
    endforeach()

    # glibc's checked functions need optimisation, from the build type or
    # from a packager's -O under build type None (CMake ignores CPPFLAGS, so
    # a packager's CXXFLAGS alone often say nothing of _FORTIFY_SOURCE). The
    # compiler itself may define _FORTIFY_SOURCE already, and a packager often
    # does so as -Wp,-D..., which the compiler applies after every -D or -U of ours.
    if(packagerCompiles MATCHES "_FORTIFY_SOURCE")
        list(APPEND packagers -D_FORTIFY_SOURCE)
    else()
        set(CMAKE_REQUIRED_FLAGS "${CMAKE_CXX_FLAGS_${buildType}}")
        check_cxx_source_compiles("
            #if !defined(__OPTIMIZE__) || defined(_FORTIFY_SOURCE)
            #error the build does not optimise, or already fortifies
            #endif
            int main() { return 0; }" DAYNAME_FORTIFY_IS_OURS)
        if(DAYNAME_FORTIFY_IS_OURS)
            target_compile_definitions(${target} INTERFACE _FORTIFY_SOURCE=2)
            list(APPEND taken -D_FORTIFY_SOURCE=2)
        endif()
    endif()
    if(buildType STREQUAL "DEBUG")
        target_compile_definitions(${target} INTERFACE _GLIBCXX_ASSERTIONS)
        list(APPEND taken -D_GLIBCXX_ASSERTIONS)
    endif()

    # What the linked program must have, given the flags of both (the
    # `hardening` tests, cmake/ProgramChecks.cmake): each protection that this
    # added, and each that the packager's flags turned on, and not off.
    set(protections no-executable-stack)
    if("-fstack-protector-strong" IN_LIST taken OR (packagerCompiles MATCHES "-fstack-protector-(strong|all) "
            AND NOT packagerCompiles MATCHES "-fno-stack-protector"))
        list(APPEND protections stack-canary)
    endif()
    if(NOT "${packagerCompiles}${packagerLinks}" MATCHES "-fno-(pie|PIE) |[ ,]-no-pie[ ,]")
        list(APPEND protections pie)
    endif()
    if("LINKER:-z,relro,-z,now" IN_LIST taken)
        list(APPEND protections relro bind-now)
    else()
        if(packagerLinks MATCHES "-z[, ]*relro")
            list(APPEND protections relro)
        endif()
        if(packagerLinks MATCHES "-z[, ]*now")
            list(APPEND protections bind-now)
        endif()
    endif()
    set(DAYNAME_PROTECTIONS ${protections} PARENT_SCOPE)

    list(JOIN taken " " taken)
    message(STATUS "Hardening flags: ${taken} ${pie}")
    if(packagers)
        list(JOIN packagers ", " packagers)
        message(STATUS "Hardening left to the packager's flags: ${packagers}")
    endif()
endfunction()
