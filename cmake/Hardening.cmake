# Hardening of every build for Linux: the stack is protected and the binary is
# position independent with read-only relocations in all of them; glibc's
# checked functions guard the optimised builds, and libstdc++ checks its own
# preconditions in the debug ones. These are the flags Debian builds with.
#
# dayname_harden(TARGET) puts the flags on TARGET's interface, so that all
# that links to it is built the same way.
function(dayname_harden target)
    if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
        return()
    endif()
    target_compile_options(${target} INTERFACE
        -fPIE -fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security)
    target_compile_definitions(${target} INTERFACE
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>
        $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
    # A static build links as a static PIE instead (DAYNAME_STATIC): a later
    # -pie would make it dynamic again.
    target_link_options(${target} INTERFACE
        $<$<NOT:$<BOOL:${DAYNAME_STATIC}>>:-pie> LINKER:-z,relro,-z,now)
endfunction()
