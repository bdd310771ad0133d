# Cross-compiles for 64-bit Windows with MinGW-w64 (posix thread model, static runtime).
# Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake ...
# The programs link libgcc, libstdc++ and winpthread statically, so an .exe needs no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HEXMOOR_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix flavour: std::thread and std::mutex need it (the win32 flavour has neither).
find_program(CMAKE_C_COMPILER NAMES ${HEXMOOR_MINGW_TRIPLET}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${HEXMOOR_MINGW_TRIPLET}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${HEXMOOR_MINGW_TRIPLET}-windres REQUIRED)
find_program(CMAKE_AR NAMES ${HEXMOOR_MINGW_TRIPLET}-gcc-ar-posix ${HEXMOOR_MINGW_TRIPLET}-ar)
find_program(CMAKE_RANLIB NAMES ${HEXMOOR_MINGW_TRIPLET}-gcc-ranlib-posix
                                ${HEXMOOR_MINGW_TRIPLET}-ranlib)

set(CMAKE_FIND_ROOT_PATH /usr/${HEXMOOR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives first (libz.a rather than the import library of zlib1.dll).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a .dll.a .lib)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Built programs run under Wine when one is installed (try_run, ctest's emulator).
find_program(HEXMOOR_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT HEXMOOR_WINE)
    find_program(HEXMOOR_WINE NAMES wine64 wine)
endif()
if(HEXMOOR_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${HEXMOOR_WINE})
endif()
