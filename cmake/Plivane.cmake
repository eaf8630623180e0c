# plivane_library(NAME <target> [DIRS <folders>...] [EXCLUDE <files>...] DEPENDS <targets>...)
# Builds the sources of a subsystem's folders (by default the current one) into a static
# library. New files are picked up without touching the build scripts.
#
# Libraries that hold logic link Qt Core and Gui at most; windows and dialogs go to the
# subsystem's library whose name ends in _widgets. scripts/check-layers.sh checks both.
function(plivane_library)
  cmake_parse_arguments(ARG "" "NAME" "DIRS;DEPENDS;EXCLUDE" ${ARGN})
  if(NOT ARG_DIRS)
    set(ARG_DIRS ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    if(NOT IS_ABSOLUTE ${dir})
      set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    endif()
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    foreach(excluded IN LISTS ARG_EXCLUDE)
      list(REMOVE_ITEM found ${dir}/${excluded})
    endforeach()
    list(APPEND sources ${found})
  endforeach()
  add_library(${ARG_NAME} STATIC ${sources})
  target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPENDS})
  plivane_warnings(${ARG_NAME})
  set_property(GLOBAL APPEND PROPERTY PLIVANE_LIBRARIES ${ARG_NAME})
endfunction()

# Writes what each of our libraries links to plivane-liens.txt in the build folder, one
# line each, for scripts/check-layers.sh. Called once every library is defined.
function(plivane_write_links)
  get_property(libraries GLOBAL PROPERTY PLIVANE_LIBRARIES)
  set(lines "")
  foreach(library IN LISTS libraries)
    get_target_property(linked ${library} LINK_LIBRARIES)
    list(JOIN linked " " linked)
    string(APPEND lines "${library} ${linked}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/plivane-liens.txt "${lines}")
endfunction()

# The warnings every target of ours is built with, tests and benchmarks included; CI's
# Debug build makes them errors (PLIVANE_WERROR).
function(plivane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(PLIVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
