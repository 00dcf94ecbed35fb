# The warnings every target of ours is built with.
add_library(velo_warnings INTERFACE)
target_compile_options(velo_warnings INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wnull-dereference -Wimplicit-fallthrough>)
