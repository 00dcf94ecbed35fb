#include "veloui/skins/skin_services.h"

#include <algorithm>
#include <vector>

#include "runtime/portable/png_decode.h"
#include "veloui/foundation/fonts.h"
#include "veloui/foundation/gradients.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/skin_refresh.h"

namespace {

std::uint32_t Little(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

// The icon file's picture of the asked size (the first one when there is none, or when no size
// is asked for), checked against the bytes there are.
HICON IconFromBytes(std::string_view bytes, int width, int height) {
  if (bytes.size() < 6 || Little(bytes, 0, 2) != 0 || Little(bytes, 2, 2) != 1) return nullptr;
  const std::size_t count = Little(bytes, 4, 2);
  if (count == 0 || bytes.size() < 6 + count * 16) return nullptr;
  std::size_t chosen = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int entryWidth = static_cast<unsigned char>(bytes[6 + i * 16]);
    const int entryHeight = static_cast<unsigned char>(bytes[7 + i * 16]);
    if ((entryWidth == 0 ? 256 : entryWidth) == width && (entryHeight == 0 ? 256 : entryHeight) == height) chosen = i;
  }
  const std::size_t entry = 6 + chosen * 16;
  const std::uint32_t size = Little(bytes, entry + 8, 4);
  const std::uint32_t offset = Little(bytes, entry + 12, 4);
  if (size == 0 || offset > bytes.size() || size > bytes.size() - offset) return nullptr;
  auto* data = reinterpret_cast<PBYTE>(const_cast<char*>(bytes.data() + offset));
  return CreateIconFromResourceEx(data, size, TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR);
}

// Nearest pixels; a side of 0 keeps the picture's own.
RgbaImage Scaled(const RgbaImage& image, int width, int height) {
  if (width <= 0) width = image.width;
  if (height <= 0) height = image.height;
  if (width == image.width && height == image.height) return image;
  RgbaImage out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t from = (static_cast<std::size_t>(y) * image.height / height * image.width +
                                static_cast<std::size_t>(x) * image.width / width) * 4;
      std::copy_n(&image.pixels[from], 4, &out.pixels[(static_cast<std::size_t>(y) * width + x) * 4]);
    }
  }
  return out;
}

HBITMAP PremultipliedBitmap(const RgbaImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return bitmap;
  auto* out = static_cast<std::uint8_t*>(bits);
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    const unsigned alpha = image.pixels[i + 3];
    out[i + 0] = static_cast<std::uint8_t>(image.pixels[i + 2] * alpha / 255);
    out[i + 1] = static_cast<std::uint8_t>(image.pixels[i + 1] * alpha / 255);
    out[i + 2] = static_cast<std::uint8_t>(image.pixels[i + 0] * alpha / 255);
    out[i + 3] = static_cast<std::uint8_t>(alpha);
  }
  GdiFlush();
  return bitmap;
}

// Skins ask for small pictures; a size beyond this is a damaged value.
constexpr int kLargestSide = 4096;

std::uintptr_t MakeImageService(std::string_view bytes, int width, int height) {
  return reinterpret_cast<std::uintptr_t>(MakeSkinImage(bytes, width, height));
}

void FreeImageService(std::uintptr_t image) { FreeSkinImage(reinterpret_cast<HANDLE>(image)); }

std::uintptr_t LoadFontService(const Text& face, int size, std::uint32_t style) {
  return reinterpret_cast<std::uintptr_t>(CreateFontByPointSize(face, size, style));
}

void FreeFontService(std::uintptr_t font) { FreeFontHandle(reinterpret_cast<HFONT>(font)); }

}  // namespace

HANDLE MakeSkinImage(std::string_view bytes, int width, int height) {
  if (width < 0 || height < 0 || width > kLargestSide || height > kLargestSide) return nullptr;
  if (HICON icon = IconFromBytes(bytes, width, height)) return icon;
  RgbaImage image;
  if (!DecodeImageData(bytes, image)) return nullptr;
  return PremultipliedBitmap(Scaled(image, width, height));
}

void FreeSkinImage(HANDLE image) {
  if (image == nullptr) return;
  if (GetObjectType(image) == OBJ_BITMAP) {
    DeleteObject(image);
  } else {
    DestroyIcon(static_cast<HICON>(image));
  }
}

void BindSkinServices() {
  SkinServices& services = Skins().Services;
  services.MakeImage = MakeImageService;
  services.FreeImage = FreeImageService;
  services.CreateGradient = CreateGradient;
  services.LoadFont = LoadFontService;
  services.FreeFont = FreeFontService;
  services.Broadcast = [](SkinHandle skin) { return ApplySkinToAllWindows(skin); };
}
