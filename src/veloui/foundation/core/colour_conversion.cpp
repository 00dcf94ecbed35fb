#include "veloui/foundation/core/colour_conversion.h"

#include <algorithm>

int RgbToHsl(std::uint32_t colour, HslColour& result) {
  const float r = static_cast<float>(RedOf(colour)) / 255.0f;
  const float g = static_cast<float>(GreenOf(colour)) / 255.0f;
  const float b = static_cast<float>(BlueOf(colour)) / 255.0f;
  const float least = std::min({r, g, b});
  const float most = std::max({r, g, b});
  const float delta = most - least;
  result.Lightness = most;
  result.Saturation = most == 0.0f ? 0.0f : delta / most;
  if (result.Saturation == 0.0f) {
    result.Hue = 0.0f;
  } else if (r == most) {
    result.Hue = 60.0f * (g - b) / delta;
  } else if (g == most) {
    result.Hue = 60.0f * (b - r) / delta + 120.0f;
  } else {
    result.Hue = 60.0f * (r - g) / delta + 240.0f;
  }
  if (result.Hue < 0.0f) result.Hue += 360.0f;
  return 0;
}

namespace {

float HueComponent(float p, float q, float t) {
  if (t < 0.0f) t += 1.0f;
  if (t > 1.0f) t -= 1.0f;
  if (6.0f * t < 1.0f) return p + (q - p) * 6.0f * t;
  if (2.0f * t < 1.0f) return q;
  if (3.0f * t < 2.0f) return p + (q - p) * (2.0f / 3.0f - t) * 6.0f;
  return p;
}

int ToByte(float component) {
  return std::clamp(static_cast<int>(component * 255.0f), 0, 255);
}

}  // namespace

std::uint32_t HslToRgb(const HslColour& record) {
  const float l = record.Lightness;
  const float s = record.Saturation;
  if (s == 0.0f) return MakeColourRef(ToByte(l), ToByte(l), ToByte(l));
  const float q = l < 0.5f ? l * (1.0f + s) : l + s - l * s;
  const float p = 2.0f * l - q;
  const float h = record.Hue / 360.0f;
  return MakeColourRef(ToByte(HueComponent(p, q, h + 1.0f / 3.0f)), ToByte(HueComponent(p, q, h)),
                       ToByte(HueComponent(p, q, h - 1.0f / 3.0f)));
}
