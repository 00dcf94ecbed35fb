// Any bytes as a PNG image: decoding fails cleanly or gives pixels that fit the size.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/portable/png_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RgbaImage image;
  if (DecodePng(std::string_view(reinterpret_cast<const char*>(data), size), image) &&
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4) {
    std::abort();
  }
  return 0;
}
