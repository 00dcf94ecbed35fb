#include "veloui/foundation/core/colour_conversion.h"

#include <gtest/gtest.h>

namespace {

HslColour Hsl(std::uint32_t colour) {
  HslColour result;
  EXPECT_EQ(RgbToHsl(colour, result), 0);
  return result;
}

TEST(ColourConversion, RgbToHslOfPrimariesAndGreys) {
  EXPECT_FLOAT_EQ(Hsl(MakeColourRef(255, 0, 0)).Hue, 0.0f);
  EXPECT_FLOAT_EQ(Hsl(MakeColourRef(0, 255, 0)).Hue, 120.0f);
  const HslColour blue = Hsl(MakeColourRef(0, 0, 255));
  EXPECT_FLOAT_EQ(blue.Hue, 240.0f);
  EXPECT_FLOAT_EQ(blue.Saturation, 1.0f);
  EXPECT_FLOAT_EQ(blue.Lightness, 1.0f);  // the brightest component
  EXPECT_FLOAT_EQ(Hsl(MakeColourRef(255, 0, 255)).Hue, 300.0f);  // negative hue wraps
  // Saturation is relative to the brightest component.
  const HslColour brown = Hsl(MakeColourRef(100, 50, 0));
  EXPECT_FLOAT_EQ(brown.Saturation, 1.0f);
  EXPECT_FLOAT_EQ(brown.Lightness, 100 / 255.0f);
  EXPECT_NEAR(brown.Hue, 30.0f, 1e-4);
  for (int level : {0, 1, 128, 255}) {
    const HslColour grey = Hsl(MakeColourRef(level, level, level));
    EXPECT_EQ(grey.Hue, 0.0f);
    EXPECT_EQ(grey.Saturation, 0.0f);
    EXPECT_FLOAT_EQ(grey.Lightness, level / 255.0f);
  }
}

TEST(ColourConversion, HslToRgbOfPrimariesAndGreys) {
  EXPECT_EQ(HslToRgb({0.0f, 1.0f, 0.5f}), MakeColourRef(255, 0, 0));
  EXPECT_EQ(HslToRgb({120.0f, 1.0f, 0.5f}), MakeColourRef(0, 255, 0));
  EXPECT_EQ(HslToRgb({240.0f, 1.0f, 0.5f}), MakeColourRef(0, 0, 255));
  EXPECT_EQ(HslToRgb({60.0f, 1.0f, 0.5f}), MakeColourRef(255, 255, 0));
  EXPECT_EQ(HslToRgb({0.0f, 1.0f, 0.75f}), MakeColourRef(255, 127, 127));  // the light branch
  EXPECT_EQ(HslToRgb({0.0f, 0.0f, 0.5f}), MakeColourRef(127, 127, 127));   // 127.5 truncated
  EXPECT_EQ(HslToRgb({200.0f, 0.0f, 1.0f}), MakeColourRef(255, 255, 255));
  EXPECT_EQ(HslToRgb({0.0f, 0.0f, 0.0f}), 0u);
}

}  // namespace
