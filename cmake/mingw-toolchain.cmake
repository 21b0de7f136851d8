# Cross-compiles for Windows with mingw-w64. MINGW_ARCH is i686 or x86_64, set by the
# per-architecture toolchain files. The -posix compilers are used: GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
set(MINGW_TRIPLE ${MINGW_ARCH}-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLE}-windres REQUIRED)
find_program(MINGW_OBJDUMP NAMES ${MINGW_TRIPLE}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
