#pragma once
// Hue/saturation conversions used to re-colour menu and toolbar images in the colours of the
// current scheme. Colours are 0x00BBGGRR words (red in the low byte).
#include <cstdint>

struct HslColour {
  float Hue = 0;         // degrees, 0 to 360
  float Saturation = 0;  // 0 to 1
  float Lightness = 0;   // 0 to 1
};

// Fills `result` from `colour`. The third field receives the brightest component and the
// saturation is relative to it (value/saturation of the cone model), which the tint relies on.
// Returns 0.
int RgbToHsl(std::uint32_t colour, HslColour& result);
// The colour of a hue/saturation/lightness record; components are truncated, not rounded.
std::uint32_t HslToRgb(const HslColour& record);

inline std::uint32_t MakeColourRef(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red & 0xFF) | (static_cast<std::uint32_t>(green & 0xFF) << 8) |
         (static_cast<std::uint32_t>(blue & 0xFF) << 16);
}
inline int RedOf(std::uint32_t colour) { return static_cast<int>(colour & 0xFF); }
inline int GreenOf(std::uint32_t colour) { return static_cast<int>((colour >> 8) & 0xFF); }
inline int BlueOf(std::uint32_t colour) { return static_cast<int>((colour >> 16) & 0xFF); }
