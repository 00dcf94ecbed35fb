#pragma once
// Decoding images from bytes in memory into plain pixels, which each build turns into what
// it draws with. PNG is ours (through libpng); further decoders can be registered, as the
// toolkit does for JPEG.
#include <cstdint>
#include <string_view>
#include <vector>

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // rows top to bottom, 4 bytes per pixel: R, G, B, A
};

bool IsPngData(std::string_view bytes);
// False, and `image` empty, when the bytes are no PNG or are damaged.
bool DecodePng(std::string_view bytes, RgbaImage& image);

// A decoder returns true when it recognised and decoded the bytes.
using ImageDecoder = bool (*)(std::string_view bytes, RgbaImage& image);
void RegisterImageDecoder(ImageDecoder decoder);
// PNG first, then the registered decoders in the order they came.
bool DecodeImageData(std::string_view bytes, RgbaImage& image);
