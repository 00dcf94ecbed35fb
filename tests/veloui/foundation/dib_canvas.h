#pragma once
// A 32-bit top-down DIB selected into a memory DC, for reading back what was drawn.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

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

inline DWORD GdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
