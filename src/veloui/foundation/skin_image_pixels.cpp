#include "veloui/foundation/skin_image_pixels.h"

#include "veloui/foundation/skin_images.h"

namespace {

bool Is32BitDibSection(HBITMAP image) {
  DIBSECTION section{};
  return image != nullptr && GetObjectW(image, sizeof(section), &section) == sizeof(section) &&
         section.dsBm.bmBitsPixel == 32;
}

}  // namespace

std::vector<std::uint32_t> FindImageColours(HBITMAP image, std::size_t most) {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!Is32BitDibSection(image) || !ReadImagePixels(image, pixels, width, height)) return {};
  return DistinctColours(pixels, most);
}

std::int32_t RewriteImagePixels(HBITMAP image, std::span<const PixelEdit> edits) {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!Is32BitDibSection(image) || !ReadImagePixels(image, pixels, width, height)) return 0;
  const int done = ApplyPixelEdits(pixels, width, height, edits);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first, as read
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  const int rows = SetDIBits(dc, image, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return rows == height ? done : 0;
}
