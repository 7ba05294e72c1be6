# A hook library is loaded into every process that has windows, so it carries nothing
# of the C and C++ run-time: no start-up code, no static constructors, no exceptions,
# nothing from libstdc++ (the link fails if anything reaches for it). Its exports come
# from its .def file under their plain names.
function(tessel_add_hook_library name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" CXX_STANDARD 20)  # for constinit
  target_compile_options(${name} PRIVATE
    -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-stack-protector)
  target_link_options(${name} PRIVATE -nostdlib -Wl,--entry,_DllMain@12)
  target_link_libraries(${name} PRIVATE user32 kernel32)
endfunction()

# Copies the hook library `library` (a target of this project) beside the executable
# `consumer` built in the current folder, which loads it from its own folder as the
# program does.
function(tessel_copy_beside consumer library)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/${library}.dll)
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${library}> ${copy}
    DEPENDS ${library})
  add_custom_target(${consumer}_${library} DEPENDS ${copy})
  add_dependencies(${consumer} ${consumer}_${library})
endfunction()
