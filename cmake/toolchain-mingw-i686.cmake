# Cross-compiles Ferrix for 32-bit Windows with Debian's MinGW-w64 (posix threads) and runs
# the resulting test programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the exe must start from a bare folder with only system DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(FERRIX_WINE wine)
if(NOT FERRIX_WINE)
  message(FATAL_ERROR "wine not found: install wine and wine32 (scripts/test does this) to run the Windows tests")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${FERRIX_WINE})
