# Writes the "settings.ini" a fresh build starts with: the player database on, automatic
# refresh off, every [GUI] key at the value the program uses without a file. A file that
# exists is the user's and is left alone.
#   cmake -DSETTINGS_FILE=<path> -P default_settings.cmake
if(NOT SETTINGS_FILE)
  message(FATAL_ERROR "SETTINGS_FILE is not set")
endif()
if(EXISTS "${SETTINGS_FILE}")
  return()
endif()
set(lines
  "[General]" "AutoRefreshEnable = 0" "AutoRefreshTime = 10"
  "[Database]" "Enable = 1"
  "[GUI]" "WindowState = 0" "WindowX = -1" "WindowY = -1" "WindowWidth = 700" "WindowHeight = 540"
  "Splitter = -1")
foreach(i RANGE 6)
  list(APPEND lines "PlayerListColumn${i} = 95")
endforeach()
foreach(i RANGE 2)
  list(APPEND lines "BanListColumn${i} = 220")
endforeach()
list(APPEND lines "MissionListColumn = 650")
foreach(i RANGE 4)
  list(APPEND lines "DataBaseListColumn${i} = 130")
endforeach()
string(ASCII 13 cr)
# The byte-order mark and CR LF line ends, as the program writes the file itself.
string(ASCII 239 187 191 text)
foreach(line IN LISTS lines)
  string(APPEND text "${line}${cr}\n")
endforeach()
file(WRITE "${SETTINGS_FILE}" "${text}")
