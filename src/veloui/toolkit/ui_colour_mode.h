#pragma once
// The colour changes that reach every layer: the foundation's windows and image caches, the
// menus' and bars' images and buffers, and the skinned windows through the refresh broadcast.
#include <cstdint>

#include "runtime/portable/text.h"

// 1 on success; 0 and no change for a mode outside 0..9.
std::int32_t SetUIColourMode(std::int32_t mode);
// Stores one colour of the custom family; unless noRefresh, repaints every host window.
std::int32_t SetUIColour(std::uint32_t style, std::int32_t id, std::uint32_t colour, std::int32_t mode,
                         std::uint8_t noRefresh);
// Stores the name and broadcasts the skin-refresh message; returns 1.
std::int32_t SetColourModeName(TextView name);
