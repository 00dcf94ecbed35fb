# velo_sources(<var> <folder>): the .cpp files of one folder of a module. Modules list their
# sources by folder, so that a new file joins its library without editing shared lists.
function(velo_sources var folder)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  set(${var} ${found} PARENT_SCOPE)
endfunction()

# velo_split_library(<name> [CORE <core name>] CORE_LINKS ... WINDOWS_LINKS ...): a module that
# keeps its pure logic in core/ (library <core name>, default <name>_core, built everywhere)
# and its windowed half in the folder itself (library <name>, Windows only, on top of the core).
function(velo_split_library name)
  cmake_parse_arguments(ARG "" "CORE" "CORE_LINKS;WINDOWS_LINKS" ${ARGN})
  if(NOT ARG_CORE)
    set(ARG_CORE ${name}_core)
  endif()
  velo_sources(core_sources core)
  if(core_sources)
    add_library(${ARG_CORE} STATIC ${core_sources})
    target_include_directories(${ARG_CORE} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${ARG_CORE} PUBLIC ${ARG_CORE_LINKS} PRIVATE velo_warnings)
  endif()
  if(WIN32)
    velo_sources(windows_sources .)
    if(windows_sources)
      add_library(${name} STATIC ${windows_sources})
      target_link_libraries(${name} PUBLIC $<TARGET_NAME_IF_EXISTS:${ARG_CORE}> ${ARG_WINDOWS_LINKS}
        PRIVATE velo_warnings)
    endif()
  endif()
endfunction()
