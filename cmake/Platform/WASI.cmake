# WebAssembly programs for WASI (cmake/wasi.cmake), which CMake 3.25 does not
# know: one .wasm file, statically linked, with no shared libraries.
set(WASI 1)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
