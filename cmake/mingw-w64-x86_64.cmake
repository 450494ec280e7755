# Cross build for 64-bit Windows with MinGW-w64 on Linux.
#
# The POSIX-threads flavour of the compiler is used so that std::thread, which
# the stand-in host runs its scripts on, is available. Everything the compiler
# brings (libgcc, libstdc++, winpthread) is linked statically: the built
# libraries then import only DLLs that every Windows installation has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DROVIL_MINGW_PREFIX x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES ${DROVIL_MINGW_PREFIX}-gcc-posix ${DROVIL_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${DROVIL_MINGW_PREFIX}-g++-posix ${DROVIL_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${DROVIL_MINGW_PREFIX}-windres)
find_program(CMAKE_AR NAMES ${DROVIL_MINGW_PREFIX}-gcc-ar-posix ${DROVIL_MINGW_PREFIX}-ar)
find_program(CMAKE_RANLIB NAMES ${DROVIL_MINGW_PREFIX}-gcc-ranlib-posix ${DROVIL_MINGW_PREFIX}-ranlib)
find_program(DROVIL_MINGW_OBJDUMP NAMES ${DROVIL_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${DROVIL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
