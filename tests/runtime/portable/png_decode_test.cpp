#include "runtime/portable/png_decode.h"

#include <gtest/gtest.h>

#include "png_bytes.h"

#include <string>

namespace {

const std::vector<std::uint8_t> kPixels = {255, 0, 0, 255,  0, 255, 0, 128,  0, 0, 255, 0,
                                           10, 20, 30, 40,  50, 60, 70, 80,  90, 100, 110, 255};

}  // namespace

TEST(DecodePng, GivesBackThePixelsThatWereWrittenAndNothingForOtherBytes) {
  const std::string bytes = EncodePng(3, 2, kPixels);
  ASSERT_TRUE(IsPngData(bytes));
  RgbaImage image;
  ASSERT_TRUE(DecodePng(bytes, image));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.pixels, kPixels);
  // What is no PNG or is cut short gives no picture.
  EXPECT_FALSE(DecodePng("", image));
  EXPECT_FALSE(DecodePng("GIF89a....", image));
  EXPECT_FALSE(DecodePng(std::string_view(bytes).substr(0, bytes.size() / 2), image));
  EXPECT_EQ(image.width, 0);
  EXPECT_TRUE(image.pixels.empty());
}

namespace {
bool TwoByOneDecoder(std::string_view bytes, RgbaImage& image) {
  if (bytes != "two by one") return false;
  image.width = 2;
  image.height = 1;
  image.pixels.assign(8, 7);
  return true;
}
bool LyingDecoder(std::string_view bytes, RgbaImage& image) {
  image.width = 100;
  image.height = 100;
  return bytes == "liar";
}
}  // namespace

TEST(DecodeImageData, TriesPngThenTheRegisteredDecoders) {
  RegisterImageDecoder(LyingDecoder);
  RegisterImageDecoder(TwoByOneDecoder);
  RgbaImage image;
  ASSERT_TRUE(DecodeImageData(EncodePng(3, 2, kPixels), image));
  EXPECT_EQ(image.width, 3);
  ASSERT_TRUE(DecodeImageData("two by one", image));
  EXPECT_EQ(image.width, 2);
  EXPECT_FALSE(DecodeImageData("liar", image)) << "a decoder's pixels must fit its size";
  EXPECT_FALSE(DecodeImageData("unknown", image));
  EXPECT_EQ(image.width, 0);
}
