# Cross-compiles Ferrix for Windows with Debian's MinGW-w64 (posix threads) for the processor
# FERRIX_MINGW_ARCH, set by the toolchain file that includes this one, and runs the resulting
# test programs under Wine's loader FERRIX_WINE_LOADER.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${FERRIX_MINGW_ARCH})

set(mingw ${FERRIX_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the exe must start from a bare folder with only system DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(FERRIX_WINE NAMES ${FERRIX_WINE_LOADER} PATHS /usr/lib/wine)
if(NOT FERRIX_WINE)
  message(FATAL_ERROR "${FERRIX_WINE_LOADER} not found: install Wine (scripts/test does this) to run the Windows tests")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${FERRIX_WINE})
