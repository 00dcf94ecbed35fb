#include "runtime/portable/jpeg_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

TEST(JpegDecode, ReadsThePicturesPixelsAsOpaqueRgbaAndNothingFromDamagedBytes) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = 32;
  info.image_height = 16;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(32 * 3, 0);
  for (int x = 0; x < 32; ++x) row[x * 3 + (x < 16 ? 0 : 2)] = 255;
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < info.image_height) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);

  ASSERT_TRUE(IsJpegData(bytes));
  RgbaImage image;
  ASSERT_TRUE(DecodeJpeg(bytes, image));
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 16);
  ASSERT_EQ(image.pixels.size(), 32u * 16u * 4u);
  const auto channel = [&](int x, int c) { return image.pixels[(8 * 32 + x) * 4 + c]; };
  // Far from the edge a pure colour stays within a few units.
  EXPECT_NEAR(channel(2, 0), 255, 6);
  EXPECT_NEAR(channel(2, 2), 0, 6);
  EXPECT_NEAR(channel(29, 0), 0, 6);
  EXPECT_NEAR(channel(29, 2), 255, 6);
  EXPECT_EQ(channel(29, 3), 255);
  EXPECT_FALSE(DecodeJpeg("not a picture", image));
  EXPECT_TRUE(image.pixels.empty());
  // The header alone: libjpeg's error path must come back to us, not end the process.
  EXPECT_FALSE(DecodeJpeg(bytes.substr(0, 20), image));
  EXPECT_EQ(image.width, 0);
}
