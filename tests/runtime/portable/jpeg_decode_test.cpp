#include "runtime/portable/jpeg_decode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// A width x height JPEG whose left half is pure red and right half pure blue, made with
// libjpeg's own encoder at the best quality.
std::string EncodeTwoColourJpeg(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    const bool left = x < width / 2;
    row[x * 3 + 0] = left ? 255 : 0;
    row[x * 3 + 1] = 0;
    row[x * 3 + 2] = left ? 0 : 255;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

int Channel(const RgbaImage& image, int x, int y, int channel) {
  return image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4 + channel];
}

TEST(JpegDecode, ReadsThePicturesPixelsAsOpaqueRgbaAndNothingFromDamagedBytes) {
  const std::string bytes = EncodeTwoColourJpeg(32, 16);
  ASSERT_TRUE(IsJpegData(bytes));
  RgbaImage image;
  ASSERT_TRUE(DecodeJpeg(bytes, image));
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 16);
  ASSERT_EQ(image.pixels.size(), 32u * 16u * 4u);
  // Lossy, but far from the edge a pure colour stays within a few units.
  EXPECT_NEAR(Channel(image, 2, 8, 0), 255, 6);
  EXPECT_NEAR(Channel(image, 2, 8, 2), 0, 6);
  EXPECT_NEAR(Channel(image, 29, 8, 0), 0, 6);
  EXPECT_NEAR(Channel(image, 29, 8, 2), 255, 6);
  EXPECT_EQ(Channel(image, 29, 8, 3), 255);
  EXPECT_FALSE(DecodeJpeg("not a picture", image));
  EXPECT_TRUE(image.pixels.empty());
  // The header alone: libjpeg's error path must come back to us, not end the process.
  EXPECT_FALSE(DecodeJpeg(bytes.substr(0, 20), image));
  EXPECT_EQ(image.width, 0);
}

}  // namespace
