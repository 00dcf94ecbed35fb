#include "runtime/portable/png_decode.h"

#include <png.h>

#include <mutex>

namespace {

// Images of the program are small; a bound keeps a damaged header from asking for gigabytes.
constexpr png_uint_32 kMaxSide = 8192;

std::vector<ImageDecoder>& Decoders() {
  static std::vector<ImageDecoder> decoders;
  return decoders;
}

std::mutex& DecodersLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

bool IsPngData(std::string_view bytes) {
  return bytes.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) == 0;
}

bool DecodePng(std::string_view bytes, RgbaImage& image) {
  image = RgbaImage();
  if (!IsPngData(bytes)) return false;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return false;
  if (png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide) {
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.pixels = std::move(pixels);
  return true;
}

void RegisterImageDecoder(ImageDecoder decoder) {
  std::lock_guard guard(DecodersLock());
  // The toolkit registers its decoders at every start-up; one entry each is enough.
  for (ImageDecoder known : Decoders()) {
    if (known == decoder) return;
  }
  Decoders().push_back(decoder);
}

bool DecodeImageData(std::string_view bytes, RgbaImage& image) {
  if (DecodePng(bytes, image)) return true;
  std::lock_guard guard(DecodersLock());
  for (ImageDecoder decoder : Decoders()) {
    image = RgbaImage();
    if (decoder(bytes, image) && image.width > 0 && image.height > 0 &&
        image.pixels.size() == static_cast<std::size_t>(image.width) * image.height * 4) {
      return true;
    }
  }
  image = RgbaImage();
  return false;
}
