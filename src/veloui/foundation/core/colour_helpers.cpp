#include "veloui/foundation/core/colour_helpers.h"

std::int32_t FadeChannel(std::int32_t amount, std::int32_t channel) {
  return channel - static_cast<std::int32_t>(static_cast<double>(channel) * amount / 255.0);
}

std::uint32_t FadeColour(std::int32_t amount, std::uint32_t colour) {
  const auto channel = [&](int shift) {
    return static_cast<std::uint32_t>(FadeChannel(amount, static_cast<std::int32_t>((colour >> shift) & 0xFFu)));
  };
  return RgbToColorref(channel(0), channel(8), channel(16));
}

std::uint32_t PackColourBytes(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return (a << 24) | (b << 16) | (c << 8) | d;
}

std::int32_t MakeLong(std::int16_t low, std::int16_t high) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16) |
                                   static_cast<std::uint16_t>(low));
}
