#include "app/logic/embedded_images.h"

#include <gtest/gtest.h>

#include "runtime/portable/png_decode.h"

TEST(EmbeddedImages, EveryPictureDecodesToItsSizeOpaqueOrWithATransparentCorner) {
  for (int image = 0; image < kEmbeddedImageCount; ++image) {
    RgbaImage decoded;
    ASSERT_TRUE(DecodePng(EmbeddedImageBytes(image), decoded)) << image;
    EXPECT_EQ(kEmbeddedImageTable[image].Width, decoded.width) << image;
    EXPECT_EQ(kEmbeddedImageTable[image].Height, decoded.height) << image;
    bool opaque = true;
    for (std::size_t i = 3; i < decoded.pixels.size(); i += 4) opaque = opaque && decoded.pixels[i] == 255;
    if (!IsEmbeddedIcon(image)) {
      EXPECT_TRUE(opaque) << image;  // shown as plain bitmaps on the window's face
    } else if (image <= kPlayerRowImage) {
      EXPECT_EQ(decoded.pixels[3], 0) << image;  // the round and star icons leave their corner clear
    }
  }
}
