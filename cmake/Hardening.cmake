# Hardening, on by default for every build but Windows ones: the stack is
# protected, the binary is position independent with read-only relocations,
# glibc's checked functions guard the optimised builds, and libstdc++ checks
# its own preconditions in the debug ones. These are the flags Debian builds
# with. Each flag is added only where the compiler and linker accept it, and
# a packager's own flags come first and win.
#
# dayname_harden(TARGET) puts the flags on TARGET's interface, so that all
# that links to it is built the same way, and says which it took.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)

option(DAYNAME_HARDENING "Build with the stack protector, PIE, full RELRO and checked functions" ON)

function(dayname_harden target)
    if(WIN32 OR NOT DAYNAME_HARDENING)
        return()
    endif()
    set(taken)
    # -Werror=format-security is ignored, with a warning, without -Wformat.
    set(CMAKE_REQUIRED_FLAGS -Wformat)
    foreach(flag -fPIE -fstack-protector-strong -fstack-clash-protection -fcf-protection
            -Wformat -Werror=format-security)
        string(MAKE_C_IDENTIFIER "DAYNAME_HAS${flag}" accepted)
        check_cxx_compiler_flag(${flag} ${accepted})
        if(${accepted})
            target_compile_options(${target} INTERFACE ${flag})
            list(APPEND taken ${flag})
        endif()
    endforeach()
    unset(CMAKE_REQUIRED_FLAGS)

    # A static build links as a static PIE instead (DAYNAME_STATIC): a later
    # -pie would make it dynamic again.
    set(linkFlags LINKER:-z,relro,-z,now)
    if(NOT DAYNAME_STATIC)
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

    # glibc's checked functions need optimisation. A packager's flags, or the
    # compiler itself, may define _FORTIFY_SOURCE already, often as -Wp,-D...,
    # which the compiler applies after every -D or -U of ours: defining it a
    # second time would only warn, so it is added only where nothing else does.
    string(TOUPPER "${CMAKE_BUILD_TYPE}" buildType)
    if(buildType MATCHES "^(RELEASE|RELWITHDEBINFO|MINSIZEREL)$")
        set(CMAKE_REQUIRED_FLAGS "${CMAKE_CXX_FLAGS_${buildType}}")
        check_cxx_source_compiles("
            #ifdef _FORTIFY_SOURCE
            #error the build already fortifies
            #endif
            int main() { return 0; }" DAYNAME_FORTIFY_IS_OURS)
        if(DAYNAME_FORTIFY_IS_OURS)
            target_compile_definitions(${target} INTERFACE _FORTIFY_SOURCE=2)
            list(APPEND taken -D_FORTIFY_SOURCE=2)
        endif()
    elseif(buildType STREQUAL "DEBUG")
        target_compile_definitions(${target} INTERFACE _GLIBCXX_ASSERTIONS)
        list(APPEND taken -D_GLIBCXX_ASSERTIONS)
    endif()
    list(JOIN taken " " taken)
    message(STATUS "Hardening flags: ${taken}")
endfunction()
