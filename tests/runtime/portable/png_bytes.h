#pragma once
// A PNG written by libpng itself from known RGBA pixels, for the decoding tests of both builds.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

inline std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&png, nullptr, &size, 0, rgba.data(), 0, nullptr));
  std::string bytes(size, '\0');
  EXPECT_TRUE(png_image_write_to_memory(&png, bytes.data(), &size, 0, rgba.data(), 0, nullptr));
  bytes.resize(size);
  return bytes;
}
