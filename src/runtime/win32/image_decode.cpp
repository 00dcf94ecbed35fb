// Images from bytes: icons through the system, everything else through the decoders into a
// 32-bit bitmap with premultiplied alpha, as image lists and layered drawing expect.
#include <cstring>

#include "runtime/portable/png_decode.h"
#include "runtime/win32/gui_state.h"
#include "runtime/win32/dib_section.h"

namespace {

std::uint16_t Word(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t DoubleWord(std::string_view bytes, std::size_t at) {
  return Word(bytes, at) | static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

// The icon file's first image, checked against the bytes there are.
HICON IconFromFile(std::string_view bytes) {
  if (bytes.size() < 22 || Word(bytes, 0) != 0 || Word(bytes, 2) != 1 || Word(bytes, 4) == 0) return nullptr;
  const int width = static_cast<unsigned char>(bytes[6]) == 0 ? 256 : static_cast<unsigned char>(bytes[6]);
  const int height = static_cast<unsigned char>(bytes[7]) == 0 ? 256 : static_cast<unsigned char>(bytes[7]);
  const std::uint32_t size = DoubleWord(bytes, 14);
  const std::uint32_t offset = DoubleWord(bytes, 18);
  if (offset > bytes.size() || size > bytes.size() - offset || size == 0) return nullptr;
  auto* data = reinterpret_cast<PBYTE>(const_cast<char*>(bytes.data() + offset));
  return CreateIconFromResourceEx(data, size, TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR);
}

// A top-down 32-bit DIB of the picture: premultiplied for bitmaps (image lists and layered
// drawing want that), straight for icons (which premultiply by themselves).
HBITMAP DibFromPixels(const RgbaImage& image, bool premultiplied) {
  void* bits = nullptr;
  HBITMAP bitmap = CreateTopDown32Dib(image.width, image.height, &bits);
  if (bitmap == nullptr) return nullptr;
  auto* out = static_cast<std::uint8_t*>(bits);
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    const unsigned a = premultiplied ? image.pixels[i + 3] : 255;
    out[i + 0] = static_cast<std::uint8_t>(image.pixels[i + 2] * a / 255);
    out[i + 1] = static_cast<std::uint8_t>(image.pixels[i + 1] * a / 255);
    out[i + 2] = static_cast<std::uint8_t>(image.pixels[i + 0] * a / 255);
    out[i + 3] = image.pixels[i + 3];
  }
  return bitmap;
}

// An icon with the picture's own alpha: the colour bitmap and an all-clear mask, so that the
// alpha alone decides.
HICON IconFromPixels(const RgbaImage& image) {
  HBITMAP colour = DibFromPixels(image, false);
  if (colour == nullptr) return nullptr;
  HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, nullptr);
  ICONINFO parts{};
  parts.fIcon = TRUE;
  parts.hbmColor = colour;
  parts.hbmMask = mask;
  HICON icon = CreateIconIndirect(&parts);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

int StoreIconOrDestroy(int image, HICON icon) {
  const int stored = StoreIcon(image, icon);
  if (stored == 0) DestroyIcon(icon);
  return stored;
}

}  // namespace

int DecodeImage(int image, std::string_view bytes) {
  if (HICON icon = IconFromFile(bytes)) return StoreIconOrDestroy(image, icon);
  RgbaImage pixels;
  if (!DecodeImageData(bytes, pixels)) return 0;
  HBITMAP bitmap = DibFromPixels(pixels, true);
  if (bitmap == nullptr) return 0;
  const int stored = StoreBitmap(image, bitmap);
  if (stored == 0) DeleteObject(bitmap);
  return stored;
}

int DecodeIcon(int image, std::string_view bytes) {
  if (HICON icon = IconFromFile(bytes)) return StoreIconOrDestroy(image, icon);
  RgbaImage pixels;
  if (!DecodeImageData(bytes, pixels)) return 0;
  HICON icon = IconFromPixels(pixels);
  return icon != nullptr ? StoreIconOrDestroy(image, icon) : 0;
}
