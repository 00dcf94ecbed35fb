#include "veloui/foundation/core/value_ops.h"

#include <algorithm>

std::uint32_t GetLowWord(std::uint32_t value) { return value & 0xFFFFu; }

std::uint32_t GetHighWord(std::uint32_t value) { return (value >> 16) & 0xFFFFu; }

std::uint32_t MakeColour(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red + green * 256u + blue * 65536u;
}

std::uint32_t PackFourBytes(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return (a << 24) | (b << 16) | (c << 8) | d;
}

std::uint32_t MixColours(std::uint32_t first, std::uint32_t second, std::int32_t weight) {
  const std::uint32_t w = static_cast<std::uint32_t>(std::clamp(weight, 0, 256));
  std::uint32_t mixed = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t a = (first >> shift) & 0xFFu;
    const std::uint32_t b = (second >> shift) & 0xFFu;
    mixed |= ((b * w + a * (256u - w)) / 256u) << shift;
  }
  return mixed;
}

std::uint32_t BlendColours(std::uint32_t first, std::uint32_t second, std::int32_t weight) {
  return MixColours(first, second, weight);
}

double GetToolkitVersion() { return 1.36; }
