#pragma once
// Small colour-word helpers. Colour words are COLORREF (0x00BBGGRR, top byte 0) or
// ARGB (0xAARRGGBB, alpha 1..255); a word with a non-zero top byte is ARGB.
#include <cstdint>

// channel - trunc(channel * amount / 255.0)
std::int32_t FadeChannel(std::int32_t amount, std::int32_t channel);
// The COLORREF whose channels are faded by amount; the top byte is dropped.
std::uint32_t FadeColour(std::int32_t amount, std::uint32_t colour);
// a<<24 | b<<16 | c<<8 | d: ARGB when called as alpha, red, green, blue.
std::uint32_t PackColourBytes(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);
// Window-message co-ordinates: high<<16 | (low & 0xFFFF).
std::int32_t MakeLong(std::int16_t low, std::int16_t high);

// Exchanges the low and the third byte and clears the top byte.
constexpr std::uint32_t ArgbToColorref(std::uint32_t argb) {
  return ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
}
constexpr bool IsArgbWord(std::uint32_t word) { return (word >> 24) != 0; }
constexpr std::uint32_t RgbToColorref(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
