# 32-bit Windows: the product as released.
set(FERRIX_MINGW_ARCH i686)
set(FERRIX_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
