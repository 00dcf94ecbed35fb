#pragma once
// The per-pixel arithmetic of the image effects that derive hot and disabled menu images from
// a normal one: greyscale, tint, contrast, brightness, opacity and the re-colouring tint.
// Pixels are 32-bit words 0xAARRGGBB (the byte order of a 32-bit DIB), rows top-down.
#include <cstdint>
#include <vector>

// The source of an effect, already read as 32-bit pixels whatever its own depth.
struct EffectSource {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  // The source itself was 32-bit, so its fourth byte is an alpha channel.
  bool HasAlphaChannel = false;
  // An icon's mask, one word per pixel (0 where the icon is opaque); empty for a bitmap.
  std::vector<std::uint32_t> Mask;
};

struct IconEffectSettings {
  float Opacity = 255;
  float Contrast = 0;
  float Brightness = 0;
  std::uint32_t TintColour = 0;  // 0x00BBGGRR
  float TintAmount = 0;          // out of 256
  bool Greyscale = false;
};

struct TintSettings {
  float Opacity = 255;
  std::uint32_t TintColour = 0;
  float SaturationChange = 0;
  float LightnessBias = 0;
  std::uint32_t BlendColour = 0;
  float BlendAmount = 0;  // out of 256
};

int NearestInt(double value);
int ClampByte(int value);
float ClampOpacity(float opacity);

int EffectGrey(int red, int green, int blue);  // weights 0.2989, 0.587, 0.114
int TintGrey(int red, int green, int blue);    // weights 0.299, 0.587, 0.114
// Mixes `tint` into `component` by `amount` out of 256.
int BlendComponent(int tint, int component, float amount);
// The contrast is kept inside -255..255 so that the factor stays finite and never negative.
double ContrastFactor(float contrast);
int ApplyContrast(int component, double factor);
int ApplyBrightness(int component, float brightness);
// The alpha of one result pixel; `mask` is the mask word or nullptr without a mask.
int EffectAlpha(const EffectSource& source, std::uint32_t pixel, const std::uint32_t* mask,
                float opacity);

std::vector<std::uint32_t> ApplyIconEffect(const EffectSource& source, const IconEffectSettings& settings);
std::vector<std::uint32_t> ApplyTint(const EffectSource& source, const TintSettings& settings);

inline std::uint32_t PackPixel(int alpha, int red, int green, int blue) {
  return (static_cast<std::uint32_t>(alpha & 0xFF) << 24) | (static_cast<std::uint32_t>(red & 0xFF) << 16) |
         (static_cast<std::uint32_t>(green & 0xFF) << 8) | static_cast<std::uint32_t>(blue & 0xFF);
}
inline int PixelAlpha(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }
inline int PixelRed(std::uint32_t pixel) { return static_cast<int>((pixel >> 16) & 0xFF); }
inline int PixelGreen(std::uint32_t pixel) { return static_cast<int>((pixel >> 8) & 0xFF); }
inline int PixelBlue(std::uint32_t pixel) { return static_cast<int>(pixel & 0xFF); }
