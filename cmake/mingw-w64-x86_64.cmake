# Cross build of etiquetas for 64-bit Windows with Debian's mingw-w64.
# Executables are linked statically so that they run under wine, or on a bare
# Windows machine, without the compiler's DLLs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-compiladores.cmake)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Windows 10 APIs (job objects nest, CNG).
add_compile_definitions(_WIN32_WINNT=0x0A00 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
