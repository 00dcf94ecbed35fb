#pragma once
// Small value operations of the skinned controls: words of a value, colour words made from
// their channels and the weighted mix of two colours.
#include <cstdint>

std::uint32_t GetLowWord(std::uint32_t value);
std::uint32_t GetHighWord(std::uint32_t value);
// The colour word 0x00BBGGRR.
std::uint32_t MakeColour(std::uint32_t red, std::uint32_t green, std::uint32_t blue);
std::uint32_t PackFourBytes(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);
// Per byte (second * weight + first * (256 - weight)) / 256, rounded down; weight 0 gives
// `first`, 256 gives `second`. A weight outside 0 to 256 is clamped, so no channel spills
// into its neighbour.
std::uint32_t MixColours(std::uint32_t first, std::uint32_t second, std::int32_t weight);
std::uint32_t BlendColours(std::uint32_t first, std::uint32_t second, std::int32_t weight);
double GetToolkitVersion();
