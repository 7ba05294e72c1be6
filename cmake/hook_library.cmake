# A hook library is loaded into every process that has windows, so it carries nothing
# of the C and C++ run-time: no start-up code, no static constructors, no exceptions,
# nothing from libstdc++ (the link fails if anything reaches for it). Its exports come
# from its .def file under their plain names; the .def names the 32-bit build's stdcall
# symbols (Name@12), which the 64-bit build, having one calling convention, lacks.
function(tessel_add_hook_library name)
  set(sources)
  foreach(source ${ARGN})
    if(source MATCHES "\\.def$" AND CMAKE_SIZEOF_VOID_P EQUAL 8)
      get_filename_component(defName ${source} NAME)
      set(plainDef ${CMAKE_CURRENT_BINARY_DIR}/${name}_x64/${defName})
      file(READ ${CMAKE_CURRENT_SOURCE_DIR}/${source} exports)
      string(REGEX REPLACE " = [A-Za-z_0-9]+@[0-9]+" "" exports "${exports}")
      file(WRITE ${plainDef} "${exports}")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
      set(source ${plainDef})
    endif()
    list(APPEND sources ${source})
  endforeach()
  add_library(${name} SHARED ${sources})
  set_target_properties(${name} PROPERTIES PREFIX "" CXX_STANDARD 20)  # for constinit
  target_compile_options(${name} PRIVATE
    -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-stack-protector)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_link_options(${name} PRIVATE -nostdlib -Wl,--entry,DllMain)
  else()
    target_link_options(${name} PRIVATE -nostdlib -Wl,--entry,_DllMain@12)
  endif()
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
