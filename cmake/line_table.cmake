# cmake -DHOST_CXX=... -DOBJDUMP=... -DPROGRAM=... -DDEBUG_FILE=... -DTOOL=... -DSOURCE_DIR=...
#       -DOWN_SOURCES=<src folder>/ -DOWN_SOURCES_FROM_BUILD=<src folder from the build folder>/ -P line_table.cmake
# Writes <PROGRAM>.lines, the address-to-line table that the error report reads, from the line
# table in the program's debugging data. The tool that encodes it runs on the build machine, so
# it is compiled here with the machine's own compiler, again only when its sources changed.
set(tool_sources ${SOURCE_DIR}/tools/line-table/main.cpp ${SOURCE_DIR}/tools/line-table/objdump_lines.cpp
  ${SOURCE_DIR}/src/runtime/portable/line_table.cpp)
set(tool_inputs ${tool_sources} ${SOURCE_DIR}/tools/line-table/objdump_lines.h
  ${SOURCE_DIR}/src/runtime/portable/line_table.h)
foreach(input ${tool_inputs})
  if(NOT EXISTS ${TOOL} OR ${input} IS_NEWER_THAN ${TOOL})
    set(build_tool TRUE)
  endif()
endforeach()
if(build_tool)
  execute_process(COMMAND ${HOST_CXX} -std=c++20 -O2 -I${SOURCE_DIR}/src -I${SOURCE_DIR}/tools/line-table
      ${tool_sources} -lz -o ${TOOL}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not build the line-table tool with ${HOST_CXX}")
  endif()
endif()

set(decoded ${PROGRAM}.decoded-lines.txt)
execute_process(COMMAND ${OBJDUMP} --dwarf=decodedline --wide ${DEBUG_FILE} OUTPUT_FILE ${decoded}
  RESULT_VARIABLE failed)
if(NOT failed)
  execute_process(COMMAND ${TOOL} ${decoded} ${PROGRAM} ${PROGRAM}.lines ${OWN_SOURCES} ${OWN_SOURCES_FROM_BUILD} RESULT_VARIABLE failed)
endif()
file(REMOVE ${decoded})
if(failed)
  message(FATAL_ERROR "could not write ${PROGRAM}.lines")
endif()
