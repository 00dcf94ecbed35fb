#include "veloui/foundation/binding_names.h"

namespace {
BindingLibraryNames Names;
}

const BindingLibraryNames& BoundLibraryNames() { return Names; }

void SetBindingLibraryNamesForTesting(const BindingLibraryNames& names) { Names = names; }
