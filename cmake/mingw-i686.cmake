# Cross-compiles the Windows binaries for 32-bit x86 with mingw-w64 (POSIX thread model)
# and runs them under Wine, so ctest in this build drives the real Windows code.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
