#pragma once
// The runtime's end routine: at the program's end each library that holds something of the
// system's gives it back, in the order the libraries end. A library that started installs its
// end function; a library above the runtime (the list sorting) installs its own the same way.
#include <cstddef>

enum class EndingLibrary : std::size_t {
  Network,      // the socket library, once its threads have stopped using it
  ListSorting,  // its arrow bitmaps and header image list, before the gadgets and windows go
  Count
};

using LibraryEndFunction = void (*)();
// Replaces the library's end function; nullptr removes it.
void InstallLibraryEnd(EndingLibrary library, LibraryEndFunction end);
// Runs each installed end function once, in the order above. Each is taken out before it
// runs, so a second run (from an error report raised by an end function) skips it.
void RunEndRoutine();
