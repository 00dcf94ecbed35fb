#pragma once
// A 32-bit top-down DIB selected into a memory DC, for reading back what was drawn, and the
// bitmaps and icons the drawing tests start from.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

// The header of a top-down DIB of `bits` bits a pixel.
inline BITMAPINFO DibInfo(int width, int height, WORD bits = 32) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

class DibCanvas {
 public:
  DibCanvas(int width, int height, std::uint32_t fill = 0x00FFFFFF) : width_(width), height_(height) {
    BITMAPINFO info = DibInfo(width, height);
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~DibCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Fill(std::uint32_t pixel) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = pixel;
  }
  // 0x00RRGGBB as the DIB holds it.
  std::uint32_t Pixel(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0x00FFFFFF;
  }
  // The same pixel as a COLORREF (red in the low byte).
  COLORREF Colour(int x, int y) const {
    const std::uint32_t p = Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Whether two COLORREFs differ by at most `tolerance` in each component.
inline bool NearColour(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Wine's GetGuiResources reports 0: its GDI handle table is then counted by probing the
// table's indices, which it accepts as handles.
inline DWORD GdiObjectCount() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); count != 0) return count;
  DWORD count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
  return count;
}

inline HBITMAP Bitmap32(int width, int height, const std::vector<std::uint32_t>& pixels) {
  BITMAPINFO info = DibInfo(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
  return bitmap;
}

// A monochrome mask: 0 (opaque) in the columns below `opaqueFrom`... and 1 left of it.
inline HBITMAP MaskTransparentLeftOf(int width, int height, int opaqueFrom) {
  const int stride = ((width + 15) / 16) * 2;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride * height), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < opaqueFrom; ++x) rows[static_cast<std::size_t>(y * stride + x / 8)] |= 0x80 >> (x % 8);
  }
  return CreateBitmap(width, height, 1, 1, rows.data());
}

inline HICON Icon(int width, int height, const std::vector<std::uint32_t>& pixels, int opaqueFrom = 0) {
  HBITMAP colour = Bitmap32(width, height, pixels);
  HBITMAP mask = MaskTransparentLeftOf(width, height, opaqueFrom);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

// The colour pixels (with alpha) of an icon or a 32-bit bitmap, top-down.
inline std::vector<std::uint32_t> PixelsOf(HANDLE image, int* widthOut = nullptr, int* heightOut = nullptr) {
  ICONINFO info{};
  HBITMAP colour = static_cast<HBITMAP>(image);
  const bool icon = GetIconInfo(static_cast<HICON>(image), &info);
  if (icon) colour = info.hbmColor;
  BITMAP shape{};
  GetObjectW(colour, sizeof(shape), &shape);
  const int width = shape.bmWidth, height = shape.bmHeight;
  if (widthOut != nullptr) *widthOut = width;
  if (heightOut != nullptr) *heightOut = height;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
  BITMAPINFO bi = DibInfo(width, height);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, colour, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (icon) {
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  return pixels;
}

inline std::vector<std::uint32_t> Solid(int count, std::uint32_t pixel) { return std::vector<std::uint32_t>(count, pixel); }
