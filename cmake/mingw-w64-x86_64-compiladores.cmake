# The mingw-w64 compilers for 64-bit Windows (posix threads, for std::thread,
# std::mutex and std::filesystem) and where target libraries are looked for.
# Alone it also builds third-party libraries (Qt) with their own settings.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ETIQUETAS_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ETIQUETAS_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ETIQUETAS_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ETIQUETAS_MINGW}-windres)

# Nothing is taken from the build machine: only the compiler's own files and
# the prefixes of libraries built for this target (scripts/terceiros-windows).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ETIQUETAS_MINGW} ${ETIQUETAS_TERCEIROS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
