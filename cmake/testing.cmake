# velo_add_test(<name> SOURCES ... LIBRARIES ...): one GoogleTest executable, one ctest entry.
# In the win32 build ctest runs it through the cross-compiling emulator (Wine).
function(velo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main velo_warnings)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# velo_add_test_folder(<name> <folder> LIBRARIES ... [WIN32_ONLY] [LABELS ...]): the
# *_test.cpp files of one folder as one test executable.
function(velo_add_test_folder name folder)
  cmake_parse_arguments(ARG "WIN32_ONLY" "" "LIBRARIES;LABELS" ${ARGN})
  if(ARG_WIN32_ONLY AND NOT WIN32)
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(sources)
    velo_add_test(${name} SOURCES ${sources} LIBRARIES ${ARG_LIBRARIES} LABELS ${ARG_LABELS})
  endif()
endfunction()
