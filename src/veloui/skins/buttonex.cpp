#include "veloui/skins/buttonex.h"

// None can exist yet: nothing creates one.
std::int32_t FreeButtonEx(std::intptr_t button) { return button == -1 ? 1 : 0; }
