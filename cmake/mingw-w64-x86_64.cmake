# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (POSIX thread model, so std::thread
# and std::mutex work). Executables built here run under Wine when CMake or CTest runs them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
# Programs carry the MinGW runtime inside them: no libstdc++, libgcc or winpthread DLLs to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Libraries come from the MinGW sysroot and the prefix the dependency script builds; programs
# (generators, pkg-config) from the build machine.
# FUZZLETS_WIN64_DEPS names that prefix (a cache variable or, for the dependency builds
# themselves, the environment).
if(NOT FUZZLETS_WIN64_DEPS AND DEFINED ENV{FUZZLETS_WIN64_DEPS})
  set(FUZZLETS_WIN64_DEPS $ENV{FUZZLETS_WIN64_DEPS})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FUZZLETS_WIN64_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${FUZZLETS_WIN64_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config reads only the prefix's .pc files, never the build machine's, and gives what a
# static link needs (the libraries' own dependencies).
if(FUZZLETS_WIN64_DEPS)
  set(ENV{PKG_CONFIG_LIBDIR} ${FUZZLETS_WIN64_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(PKG_CONFIG_ARGN --static)
endif()

find_program(WINE_PROGRAM NAMES wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
