# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, for
# std::thread and std::filesystem). Executables are linked statically so that
# they run under wine, or on a bare Windows machine, without the compiler's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ETIQUETAS_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ETIQUETAS_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ETIQUETAS_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ETIQUETAS_MINGW}-windres)

# Libraries built for this target (scripts/terceiros-windows) live in the
# prefix named by ETIQUETAS_TERCEIROS; nothing is taken from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ETIQUETAS_MINGW} ${ETIQUETAS_TERCEIROS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Windows 10 APIs (job objects nest, CNG).
add_compile_definitions(_WIN32_WINNT=0x0A00 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
