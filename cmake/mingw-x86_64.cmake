# Cross-compiles the Windows binaries for 64-bit x86 with mingw-w64 (POSIX thread model)
# and runs them under Wine, like mingw-i686.cmake does for the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
