# Cross build for 64-bit Windows with mingw-w64 on Debian:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The -posix thread model is the one with std::thread and std::mutex,
# which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAMBLE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAMBLE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAMBLE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAMBLE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAMBLE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run through Wine, unless the caller names another runner.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(TAMBLE_WINE NAMES wine wine64)
    if(TAMBLE_WINE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${TAMBLE_WINE})
    endif()
endif()

# Programs carry the compiler's runtime (libstdc++, libgcc, winpthread)
# instead of needing its DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
