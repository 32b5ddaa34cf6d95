# 64-bit Windows: the test programs on a host that runs no 32-bit code. Debian's wine command
# takes the 32-bit loader whenever it is installed, so the 64-bit one is named.
set(FERRIX_MINGW_ARCH x86_64)
set(FERRIX_WINE_LOADER wine64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
