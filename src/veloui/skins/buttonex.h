#pragma once
// The toolkit's ButtonEx controls. The application creates none; teardown frees them all.
#include <cstdint>

// One control by id or window, or -1 for all; 1 when something was freed or -1 was given.
std::int32_t FreeButtonEx(std::intptr_t button);
