#include "veloui/foundation/core/image_effect_pixels.h"

#include <algorithm>
#include <cmath>

#include "veloui/foundation/core/colour_conversion.h"

int NearestInt(double value) { return static_cast<int>(std::lround(value)); }

int ClampByte(int value) { return std::clamp(value, 0, 255); }

float ClampOpacity(float opacity) { return std::clamp(opacity, 1.0f, 255.0f); }

int EffectGrey(int red, int green, int blue) { return NearestInt(0.2989 * red + 0.587 * green + 0.114 * blue); }

int TintGrey(int red, int green, int blue) { return NearestInt(0.299 * red + 0.587 * green + 0.114 * blue); }

int BlendComponent(int tint, int component, float amount) {
  return ClampByte(NearestInt((tint * static_cast<double>(amount) + component * (256.0 - amount)) / 256.0));
}

double ContrastFactor(float contrast) {
  const double c = std::clamp(static_cast<double>(contrast), -255.0, 255.0);
  return 259.0 * (c + 255.0) / (255.0 * (259.0 - c));
}

int ApplyContrast(int component, double factor) { return ClampByte(NearestInt((component - 128) * factor + 128)); }

int ApplyBrightness(int component, float brightness) { return ClampByte(NearestInt(component + static_cast<double>(brightness))); }

int EffectAlpha(const EffectSource& source, std::uint32_t pixel, const std::uint32_t* mask, float opacity) {
  if (!source.HasAlphaChannel) return NearestInt(opacity);
  int alpha = PixelAlpha(pixel);
  if (alpha == 0 && mask != nullptr) alpha = (*mask & 0xFF) == 0 ? 255 : 0;
  return NearestInt(alpha / 255.0 * opacity);
}

namespace {

bool HasPixels(const EffectSource& source) {
  return source.Width > 0 && source.Height > 0 &&
         source.Pixels.size() >= static_cast<std::size_t>(source.Width) * static_cast<std::size_t>(source.Height);
}

const std::uint32_t* MaskAt(const EffectSource& source, std::size_t index) {
  return index < source.Mask.size() ? &source.Mask[index] : nullptr;
}

}  // namespace

std::vector<std::uint32_t> ApplyIconEffect(const EffectSource& source, const IconEffectSettings& settings) {
  if (!HasPixels(source)) return {};
  const float opacity = ClampOpacity(settings.Opacity);
  const double factor = ContrastFactor(settings.Contrast);
  const std::size_t count = static_cast<std::size_t>(source.Width) * static_cast<std::size_t>(source.Height);
  std::vector<std::uint32_t> result(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t pixel = source.Pixels[i];
    int rgb[3] = {PixelRed(pixel), PixelGreen(pixel), PixelBlue(pixel)};
    if (settings.Greyscale) {
      const int grey = EffectGrey(rgb[0], rgb[1], rgb[2]);
      rgb[0] = rgb[1] = rgb[2] = grey;
    }
    const int tint[3] = {RedOf(settings.TintColour), GreenOf(settings.TintColour), BlueOf(settings.TintColour)};
    for (int c = 0; c < 3; ++c) {
      rgb[c] = BlendComponent(tint[c], rgb[c], settings.TintAmount);
      rgb[c] = ApplyContrast(rgb[c], factor);
      rgb[c] = ApplyBrightness(rgb[c], settings.Brightness);
    }
    result[i] = PackPixel(EffectAlpha(source, pixel, MaskAt(source, i), opacity), rgb[0], rgb[1], rgb[2]);
  }
  return result;
}

std::vector<std::uint32_t> ApplyTint(const EffectSource& source, const TintSettings& settings) {
  if (!HasPixels(source)) return {};
  const float opacity = ClampOpacity(settings.Opacity);
  HslColour tint;
  RgbToHsl(settings.TintColour, tint);
  const float saturation = std::clamp(tint.Saturation + settings.SaturationChange, 0.0f, 1.0f);
  const float bias = 2.0f * settings.LightnessBias - 1.0f;
  const int blend[3] = {RedOf(settings.BlendColour), GreenOf(settings.BlendColour), BlueOf(settings.BlendColour)};
  const std::size_t count = static_cast<std::size_t>(source.Width) * static_cast<std::size_t>(source.Height);
  std::vector<std::uint32_t> result(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t pixel = source.Pixels[i];
    const float grey = static_cast<float>(TintGrey(PixelRed(pixel), PixelGreen(pixel), PixelBlue(pixel))) / 255.0f;
    HslColour shade;
    shade.Hue = tint.Hue;
    shade.Saturation = saturation;
    shade.Lightness = bias < 0.0f ? grey * (bias + 1.0f) : grey * (1.0f - bias) + bias;
    const std::uint32_t colour = HslToRgb(shade);
    const int rgb[3] = {BlendComponent(blend[0], RedOf(colour), settings.BlendAmount),
                        BlendComponent(blend[1], GreenOf(colour), settings.BlendAmount),
                        BlendComponent(blend[2], BlueOf(colour), settings.BlendAmount)};
    result[i] = PackPixel(EffectAlpha(source, pixel, MaskAt(source, i), opacity), rgb[0], rgb[1], rgb[2]);
  }
  return result;
}
