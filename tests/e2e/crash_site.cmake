# cmake -DNM=... -DADDR2LINE=... -DDEBUG_FILE=... -DSYMBOL=... -DHEADER=... -P crash_site.cmake
# Writes a header naming where the program's function SYMBOL starts (as an offset from the
# program's load address) and the source line the debugging data gives for that address, read
# with the toolchain's own tools, so that the crash report's line is checked against them and not
# against the program's own table.
execute_process(COMMAND ${NM} ${DEBUG_FILE} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
string(REGEX MATCH "([0-9a-f]+) T _${SYMBOL}\n" function "${symbols}")
set(function_address ${CMAKE_MATCH_1})
string(REGEX MATCH "([0-9a-f]+) A ___ImageBase\n" base "${symbols}")
set(image_base ${CMAKE_MATCH_1})
if(failed OR NOT function_address OR NOT image_base)
  message(FATAL_ERROR "no ${SYMBOL} or image base in ${DEBUG_FILE}")
endif()
execute_process(COMMAND ${ADDR2LINE} -e ${DEBUG_FILE} 0x${function_address} OUTPUT_VARIABLE place)
string(REGEX MATCH ":([0-9]+)" line "${place}")
if(NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "no line for ${SYMBOL}: ${place}")
endif()
math(EXPR offset "0x${function_address} - 0x${image_base}" OUTPUT_FORMAT HEXADECIMAL)
file(WRITE ${HEADER}.new "#pragma once\n// Written by crash_site.cmake from the build's debugging data.\n"
  "inline constexpr unsigned kCrashSiteOffset = ${offset};\n"
  "inline constexpr int kCrashSiteLine = ${CMAKE_MATCH_1};\n")
file(COPY_FILE ${HEADER}.new ${HEADER} ONLY_IF_DIFFERENT)
file(REMOVE ${HEADER}.new)
