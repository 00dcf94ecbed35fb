#pragma once
// The library names the binders load (tests substitute missing ones).
#include "veloui/foundation/system_binding.h"

const BindingLibraryNames& BoundLibraryNames();

// Resolves a function by name into a typed entry; a missing one stays nullptr.
template <class Proc>
void Resolve(HMODULE library, const char* name, Proc& entry) {
  entry = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
