# chromivo_delay_load(TARGET DLL FUNCTION...) makes TARGET, an interface library, link the
# FUNCTIONS of DLL so that Windows loads the DLL the first time one of them is called instead of
# when the program starts. Each FUNCTION is written as 32-bit x86 decorates a __stdcall name, with
# the bytes of its arguments ("ChooseColorA@4"); other processors drop the decoration.
function(chromivo_delay_load target dll)
  if(MSVC)
    target_link_options(${target} INTERFACE /DELAYLOAD:${dll})
    target_link_libraries(${target} INTERFACE delayimp)
    return()
  endif()
  get_filename_component(name ${dll} NAME_WE)
  set(def "${CMAKE_CURRENT_BINARY_DIR}/${name}-delay.def")
  set(library "${CMAKE_CURRENT_BINARY_DIR}/lib${name}-delay.a")
  set(exports "LIBRARY ${dll}\nEXPORTS\n")
  foreach(function IN LISTS ARGN)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      # Each function of a delay-load library is a jump through its slot of the delay-load table
      # and, after it, the code that loads the DLL on the first call, where the slot points until
      # then. For 32-bit x86, GNU ld drops an import library's jump as dead code unless something
      # refers to it by name, and every call the compiler makes to a dllimport function goes
      # through the slot instead: the loading code goes with it, and the first call jumps to
      # address 0. Naming each jump as needed keeps it (C names carry a leading underscore there).
      target_link_options(${target} INTERFACE "-Wl,--undefined=_${function}")
    else()
      string(REGEX REPLACE "@[0-9]+$" "" function ${function})
    endif()
    string(APPEND exports "  ${function}\n")
  endforeach()
  # Written only when it changes, so that a new configure does not rebuild the library.
  file(CONFIGURE OUTPUT "${def}" CONTENT "${exports}" @ONLY)
  # --kill-at: the DLL exports the undecorated names the program's calls must find.
  add_custom_command(OUTPUT "${library}"
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def "${def}" --output-delaylib "${library}"
    DEPENDS "${def}"
    COMMENT "Delay-load library for ${dll}")
  add_custom_target(${name}_delay_library DEPENDS "${library}")
  add_dependencies(${target} ${name}_delay_library)
  target_link_libraries(${target} INTERFACE "${library}")
endfunction()
