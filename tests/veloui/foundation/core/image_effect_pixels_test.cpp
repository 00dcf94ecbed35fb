#include "veloui/foundation/core/image_effect_pixels.h"

#include <gtest/gtest.h>

#include <cmath>

#include "veloui/foundation/core/colour_conversion.h"

namespace {

EffectSource OnePixel(std::uint32_t pixel, bool alphaChannel, std::vector<std::uint32_t> mask = {}) {
  EffectSource source;
  source.Width = 1;
  source.Height = 1;
  source.Pixels = {pixel};
  source.HasAlphaChannel = alphaChannel;
  source.Mask = std::move(mask);
  return source;
}

TEST(ImageEffectPixels, GreyUsesTheEffectWeights) {
  EXPECT_EQ(EffectGrey(255, 0, 0), 76);   // 76.2195
  EXPECT_EQ(EffectGrey(0, 255, 0), 150);  // 149.685
  EXPECT_EQ(EffectGrey(0, 0, 255), 29);   // 29.07
  EXPECT_EQ(EffectGrey(255, 255, 255), 255);
  // The tint's grey weighs red 0.299, which rounds differently at this point.
  EXPECT_EQ(EffectGrey(92, 0, 0), 27);  // 27.4988
  EXPECT_EQ(TintGrey(92, 0, 0), 28);    // 27.508
  EXPECT_EQ(EffectGrey(200, 100, 50), NearestInt(0.2989 * 200 + 0.587 * 100 + 0.114 * 50));
  EXPECT_EQ(TintGrey(200, 100, 50), NearestInt(0.299 * 200 + 0.587 * 100 + 0.114 * 50));
}

TEST(ImageEffectPixels, BlendMixesOutOf256) {
  EXPECT_EQ(BlendComponent(200, 100, 0), 100);
  EXPECT_EQ(BlendComponent(200, 100, 128), 150);
  EXPECT_EQ(BlendComponent(210, 0, 110), NearestInt(210.0 * 110 / 256));  // 90.23
  EXPECT_EQ(BlendComponent(255, 255, 256), 255);
  EXPECT_EQ(BlendComponent(0, 255, 300), 0);  // never below a byte
}

TEST(ImageEffectPixels, ContrastFactorIsOneAtZeroAndNeverDividesByZero) {
  EXPECT_DOUBLE_EQ(ContrastFactor(0), 1.0);
  EXPECT_EQ(ApplyContrast(37, ContrastFactor(0)), 37);
  EXPECT_GT(ContrastFactor(100), 1.0);
  EXPECT_EQ(ApplyContrast(200, ContrastFactor(100)), 255);
  // 259 would divide by zero; above it the factor would turn negative.
  const double at259 = ContrastFactor(259);
  EXPECT_TRUE(std::isfinite(at259));
  EXPECT_GT(at259, 0.0);
  EXPECT_DOUBLE_EQ(ContrastFactor(1000), ContrastFactor(255));
  EXPECT_DOUBLE_EQ(ContrastFactor(-255), 0.0);
  EXPECT_EQ(ApplyContrast(10, ContrastFactor(-400)), 128);
}

TEST(ImageEffectPixels, BrightnessAndOpacityAreClamped) {
  EXPECT_EQ(ApplyBrightness(100, 20), 120);
  EXPECT_EQ(ApplyBrightness(250, 20), 255);
  EXPECT_EQ(ApplyBrightness(10, -20), 0);
  EXPECT_EQ(ClampOpacity(0), 1.0f);
  EXPECT_EQ(ClampOpacity(300), 255.0f);
  EXPECT_EQ(ClampOpacity(80), 80.0f);
}

TEST(ImageEffectPixels, OpacityScalesTheAlphaOnly) {
  const auto out = ApplyIconEffect(OnePixel(PackPixel(255, 10, 20, 30), true), {.Opacity = 80});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0], PackPixel(80, 10, 20, 30));
  const auto half = ApplyIconEffect(OnePixel(PackPixel(128, 1, 2, 3), true), {.Opacity = 120});
  EXPECT_EQ(PixelAlpha(half[0]), NearestInt(128 / 255.0 * 120));  // 60.2
  // Without an alpha channel the pixel takes the opacity, clamped up to 1; the mask is not read.
  const auto noAlpha = ApplyIconEffect(OnePixel(PackPixel(0, 9, 9, 9), false, {0x00FFFFFF}), {.Opacity = 0});
  EXPECT_EQ(PixelAlpha(noAlpha[0]), 1);
}

TEST(ImageEffectPixels, ZeroAlphaTakesTransparencyFromTheMask) {
  EffectSource source;
  source.Width = 2;
  source.Height = 1;
  source.Pixels = {PackPixel(0, 50, 50, 50), PackPixel(0, 60, 60, 60)};
  source.HasAlphaChannel = true;
  source.Mask = {0x00000000, 0x00FFFFFF};  // black: opaque, white: transparent
  const auto out = ApplyIconEffect(source, {.Opacity = 255});
  EXPECT_EQ(PixelAlpha(out[0]), 255);
  EXPECT_EQ(PixelAlpha(out[1]), 0);
  // Without a mask a zero alpha stays zero.
  source.Mask.clear();
  EXPECT_EQ(PixelAlpha(ApplyIconEffect(source, {.Opacity = 255})[0]), 0);
}

TEST(ImageEffectPixels, GreyscaleThenTintThenContrastThenBrightness) {
  IconEffectSettings settings{.Opacity = 255, .Contrast = 50, .Brightness = 10,
                              .TintColour = MakeColourRef(255, 0, 0), .TintAmount = 64, .Greyscale = true};
  const auto out = ApplyIconEffect(OnePixel(PackPixel(255, 200, 100, 50), true), settings);
  const int grey = EffectGrey(200, 100, 50);
  const double f = ContrastFactor(50);
  auto expect = [&](int tint) {
    return ApplyBrightness(ApplyContrast(BlendComponent(tint, grey, 64), f), 10);
  };
  EXPECT_EQ(PixelRed(out[0]), expect(255));
  EXPECT_EQ(PixelGreen(out[0]), expect(0));
  EXPECT_EQ(PixelBlue(out[0]), expect(0));
  EXPECT_NE(PixelRed(out[0]), PixelGreen(out[0]));
}

TEST(ImageEffectPixels, NoPixelsGiveNothing) {
  EffectSource empty;
  EXPECT_TRUE(ApplyIconEffect(empty, {}).empty());
  EXPECT_TRUE(ApplyTint(empty, {}).empty());
  EffectSource shortBuffer;
  shortBuffer.Width = 4;
  shortBuffer.Height = 4;
  shortBuffer.Pixels.resize(3);
  EXPECT_TRUE(ApplyIconEffect(shortBuffer, {}).empty());
}

TEST(ImageEffectPixels, TintKeepsTheHueAndMapsGreyToLightness) {
  TintSettings settings{.Opacity = 255, .TintColour = MakeColourRef(0, 0, 255), .SaturationChange = 0,
                        .LightnessBias = 0.5f, .BlendColour = 0, .BlendAmount = 0};
  // Bias 0.5 gives lb 0: lightness = grey / 255.
  const auto white = ApplyTint(OnePixel(PackPixel(255, 255, 255, 255), true), settings);
  EXPECT_EQ(white[0] & 0xFFFFFF, 0xFFFFFFu);
  const auto black = ApplyTint(OnePixel(PackPixel(255, 0, 0, 0), true), settings);
  EXPECT_EQ(black[0] & 0xFFFFFF, 0u);
  // Mid grey 128 -> lightness 0.502 in pure blue: blue stays near full, red and green low.
  const auto mid = ApplyTint(OnePixel(PackPixel(255, 128, 128, 128), true), settings);
  HslColour expected{240.0f, 1.0f, 128 / 255.0f};
  const std::uint32_t colour = HslToRgb(expected);
  EXPECT_EQ(PixelRed(mid[0]), RedOf(colour));
  EXPECT_EQ(PixelBlue(mid[0]), BlueOf(colour));
  EXPECT_GT(PixelBlue(mid[0]), 250);
  EXPECT_LT(PixelRed(mid[0]), 5);
}

TEST(ImageEffectPixels, TintLightnessBiasAndBlend) {
  // Bias 0.64 -> lb 0.28: lightness = g * 0.72 + 0.28; a black pixel becomes lightness 0.28.
  TintSettings settings{.Opacity = 255, .TintColour = MakeColourRef(128, 128, 128), .SaturationChange = 0,
                        .LightnessBias = 0.64f, .BlendColour = MakeColourRef(210, 210, 210), .BlendAmount = 110};
  const auto out = ApplyTint(OnePixel(PackPixel(255, 0, 0, 0), true), settings);
  const int grey = static_cast<int>((2 * 0.64f - 1) * 255.0f);  // a grey tint has no saturation
  EXPECT_EQ(PixelRed(out[0]), BlendComponent(210, grey, 110));
  EXPECT_EQ(PixelRed(out[0]), PixelBlue(out[0]));
  // A negative bias darkens: lb = -0.5 halves the lightness.
  settings.LightnessBias = 0.25f;
  settings.BlendAmount = 0;
  const auto dark = ApplyTint(OnePixel(PackPixel(255, 255, 255, 255), true), settings);
  EXPECT_EQ(PixelRed(dark[0]), static_cast<int>(0.5f * 255.0f));
}

TEST(ImageEffectPixels, TintSaturationChangeIsClamped) {
  TintSettings settings{.Opacity = 190, .TintColour = MakeColourRef(255, 0, 0), .SaturationChange = -2.0f,
                        .LightnessBias = 0.5f};
  const auto out = ApplyTint(OnePixel(PackPixel(255, 100, 100, 100), true), settings);
  // Saturation 0: every component equals the lightness.
  EXPECT_EQ(PixelRed(out[0]), PixelGreen(out[0]));
  EXPECT_EQ(PixelGreen(out[0]), PixelBlue(out[0]));
  EXPECT_EQ(PixelAlpha(out[0]), 190);
}

}  // namespace
