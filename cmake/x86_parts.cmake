# A 64-bit build carries 32-bit parts beside its binaries: the hook host and the 32-bit
# hook library, and for the tests and benchmarks the 32-bit helper application and hook
# benchmark. They come from a 32-bit build of the same sources inside this build's
# folder (x86/), of those targets only.
include(ExternalProject)

set(TESSEL_X86_DIR ${CMAKE_BINARY_DIR}/x86)
set(x86Targets hmg hookhost32)
if(TESSEL_BUILD_TESTS)
  list(APPEND x86Targets window_app)
endif()
if(TESSEL_BUILD_BENCH)
  list(APPEND x86Targets hook_bench empty_hooks bench_window_app)
endif()

# Where each part lands in the 32-bit build, by the name it is given beside a 64-bit one.
set(TESSEL_X86_hookhost32.exe ${TESSEL_X86_DIR}/src/hookhost/hookhost32.exe)
set(TESSEL_X86_hmg32.dll ${TESSEL_X86_DIR}/src/hooklib/hmg.dll)
if(TESSEL_BUILD_TESTS)
  set(TESSEL_X86_window_app32.exe ${TESSEL_X86_DIR}/tests/e2e/window_app.exe)
else()
  set(TESSEL_X86_window_app32.exe ${TESSEL_X86_DIR}/bench/window_app.exe)
endif()
set(TESSEL_X86_HOOK_BENCH ${TESSEL_X86_DIR}/bench/hook_bench.exe)

ExternalProject_Add(x86_parts
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TESSEL_X86_DIR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
             -DTESSEL_BUILD_TESTS=${TESSEL_BUILD_TESTS}
             -DTESSEL_BUILD_BENCH=${TESSEL_BUILD_BENCH}
             -DTESSEL_BUILD_PACKAGE_TEST=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${TESSEL_X86_DIR} --target ${x86Targets}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)

# Copies 32-bit parts, by their names beside a 64-bit build, into the folder of the
# target `consumer` built in the current folder.
function(tessel_copy_x86_beside consumer)
  set(commands)
  foreach(name ${ARGN})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TESSEL_X86_${name}}
                         ${CMAKE_CURRENT_BINARY_DIR}/${name})
  endforeach()
  add_custom_target(${consumer}_x86_parts ${commands} DEPENDS x86_parts VERBATIM)
  add_dependencies(${consumer} ${consumer}_x86_parts)
endfunction()
