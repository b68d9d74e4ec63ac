# WebAssembly for WASI, with Debian's clang 14, its libc++ and compiler-rt for
# wasm32 and wasi-libc; Node (DAYNAME_NODE) runs the module here through
# wasi/dayname.cjs.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
find_program(DAYNAME_NODE node)
get_filename_component(runner ${CMAKE_CURRENT_LIST_DIR}/../wasi/dayname.cjs ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${DAYNAME_NODE} ${runner})
