# velo_sources(<var> <folder>): the .cpp files of one folder of a module. Modules list their
# sources by folder, so that a new file joins its library without editing shared lists.
function(velo_sources var folder)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  set(${var} ${found} PARENT_SCOPE)
endfunction()
