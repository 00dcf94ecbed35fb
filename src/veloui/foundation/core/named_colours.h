#pragma once
// The named-colour map: the 147 colour keywords of the web (both spellings of grey) to
// 0xRRGGBB. Skin values name colours with them.
#include <cstdint>
#include <optional>

#include "runtime/portable/text.h"

constexpr std::size_t kNamedColourCount = 147;

// Fills NamedColourMap (a toolkit map) with every keyword.
void FillNamedColourMap();
// The 0xRRGGBB word of a lower-case keyword in NamedColourMap, or nothing.
std::optional<std::uint32_t> FindNamedColour(const Text& keyword);
