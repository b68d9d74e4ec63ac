# Hardening, as Debian builds: each flag that the compiler and linker accept,
# unless the packager's flags (CXXFLAGS, LDFLAGS, the build type's) decide its
# concern, on or off. Sets DAYNAME_PIE, and DAYNAME_HARDENING_CHECK to the
# options of hardening-check that leave out what the packager decided.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)
set(DAYNAME_PIE OFF)
set(DAYNAME_HARDENING_CHECK)
if(WIN32 OR WASI)
    return()
endif()
string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
set(packager " ${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${type}} ${CMAKE_EXE_LINKER_FLAGS} ")
set(CMAKE_REQUIRED_QUIET ON)
set(taken)
set(left)

# Each: our flag, what in the packager's flags decides its concern, and the
# option of hardening-check that leaves it out then.
set(wanted)
foreach(row "-fstack-protector-strong|-f(no-)?stack-protector|--nostackprotector"
        "-fstack-clash-protection|-f(no-)?stack-clash-protection|"
        "-fcf-protection|-f(no-)?cf-protection|"
        "-Werror=format-security|-W(no-)?(error=)?format-security|")
    string(REPLACE "|" ";" row "${row}")
    list(POP_FRONT row flag decides unchecked)
    if(packager MATCHES "${decides}")
        list(APPEND left ${flag})
        list(APPEND DAYNAME_HARDENING_CHECK ${unchecked})
    else()
        list(APPEND wanted ${flag})
    endif()
endforeach()
# One check for all, where the compiler takes them all; else one for each.
set(CMAKE_REQUIRED_FLAGS -Wformat)
string(MAKE_C_IDENTIFIER "DAYNAME_ACCEPTS ${wanted}" all)
check_cxx_compiler_flag("${wanted}" ${all})
foreach(flag IN LISTS wanted)
    string(MAKE_C_IDENTIFIER "DAYNAME_ACCEPTS${flag}" accepted)
    if(NOT ${all})
        check_cxx_compiler_flag(${flag} ${accepted})
    endif()
    if(${all} OR ${accepted})
        target_compile_options(dayname_options INTERFACE ${flag})
        list(APPEND taken ${flag})
    endif()
endforeach()

if(packager MATCHES "-z,? ?(no)?relro|-z,? ?(now|lazy)")
    list(APPEND left "-z relro -z now")
    list(APPEND DAYNAME_HARDENING_CHECK --norelro --nobindnow)
else()
    check_linker_flag(CXX LINKER:-z,relro,-z,now DAYNAME_LINKS_RELRO_NOW)
    if(DAYNAME_LINKS_RELRO_NOW)
        target_link_options(dayname_options INTERFACE LINKER:-z,relro,-z,now)
        list(APPEND taken "-z relro -z now")
    endif()
endif()

# A static program is a static PIE where the C library can link one.
if(packager MATCHES "-f(no-)?(pie|PIE|pic|PIC) |[ ,]-(no-)?pie[ ,]")
    list(APPEND left PIE)
    list(APPEND DAYNAME_HARDENING_CHECK --nopie)
elseif(DAYNAME_STATIC)
    set(CMAKE_REQUIRED_FLAGS -fPIE)
    check_linker_flag(CXX -static-pie DAYNAME_LINKS_STATIC_PIE)
    if(DAYNAME_LINKS_STATIC_PIE)
        set(DAYNAME_PIE ON)
        target_compile_options(dayname_options INTERFACE -fPIE)
        list(APPEND taken -static-pie)
    endif()
else()
    check_pie_supported(OUTPUT_VARIABLE unused LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    set(DAYNAME_PIE ON)
    list(APPEND taken PIE)
endif()

# glibc's checked functions, where the build optimises and the compiler does
# not check them already.
if(packager MATCHES "_FORTIFY_SOURCE")
    list(APPEND left -D_FORTIFY_SOURCE)
else()
    set(CMAKE_REQUIRED_FLAGS "${CMAKE_CXX_FLAGS_${type}}")
    check_cxx_source_compiles("
        #if !defined(__OPTIMIZE__) || defined(_FORTIFY_SOURCE)
        #error no optimisation, or checked already
        #endif
        int main() { return 0; }" DAYNAME_FORTIFIES)
    if(DAYNAME_FORTIFIES)
        target_compile_definitions(dayname_options INTERFACE _FORTIFY_SOURCE=2)
        list(APPEND taken -D_FORTIFY_SOURCE=2)
    endif()
endif()
if(type STREQUAL "DEBUG")
    target_compile_definitions(dayname_options INTERFACE _GLIBCXX_ASSERTIONS)
    list(APPEND taken -D_GLIBCXX_ASSERTIONS)
endif()
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_QUIET)

list(JOIN taken ", " taken)
list(JOIN left ", " left)
message(STATUS "Hardening: ${taken}")
if(left)
    message(STATUS "Hardening left to the packager's flags: ${left}")
endif()
