#include "app/embedded_images_store.h"

#include <windows.h>

#include "app/logic/embedded_images.h"
#include "runtime/portable/png_decode.h"
#include "runtime/win32/gui.h"

namespace {

// An icon with the picture's own alpha: a 32-bit colour bitmap (not premultiplied, as icons
// want it) and an all-clear mask, so that the alpha alone decides.
HICON IconFromPixels(const RgbaImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (colour == nullptr) return nullptr;
  auto* out = static_cast<std::uint8_t*>(bits);
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    out[i + 0] = image.pixels[i + 2];
    out[i + 1] = image.pixels[i + 1];
    out[i + 2] = image.pixels[i + 0];
    out[i + 3] = image.pixels[i + 3];
  }
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

void LoadIcon(int image) {
  RgbaImage decoded;
  if (!DecodePng(EmbeddedImageBytes(image), decoded)) return;
  HICON icon = IconFromPixels(decoded);
  if (icon != nullptr && StoreIcon(image, icon) == 0) DestroyIcon(icon);
}

}  // namespace

void LoadEmbeddedImages() {
  for (int image = 0; image < kEmbeddedImageCount; ++image) {
    if (IsEmbeddedIcon(image)) {
      LoadIcon(image);
    } else {
      DecodeImage(image, EmbeddedImageBytes(image));
    }
  }
}
