#pragma once
// A 32-bit top-down DIB selected into a memory DC, for reading back what was drawn; the bitmaps
// and icons the drawing tests start from; plain test windows; the process's GDI object count.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

// The header of a top-down DIB of `bits` bits a pixel.
inline BITMAPINFO DibInfo(int width, int height, WORD bits = 32) {
  return BITMAPINFO{{sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0}, {}};
}

inline HBITMAP DibSection(int width, int height, void** bits, WORD depth = 32) {
  const BITMAPINFO info = DibInfo(width, height, depth);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A pixel of a top-down 32-bit DIB section as 0xAARRGGBB (0 when it is not one). Wine does not
// report which way up a section is, and every section here is top-down.
inline std::uint32_t DibPixel(HGDIOBJ bitmap, int x, int y) {
  GdiFlush();
  DIBSECTION section{};
  if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) || section.dsBm.bmBits == nullptr) return 0;
  return static_cast<const std::uint32_t*>(section.dsBm.bmBits)[y * section.dsBm.bmWidth + x];
}

class DibCanvas {
 public:
  DibCanvas(int width, int height, std::uint32_t fill = 0x00FFFFFF) {
    void* bits = nullptr;
    bitmap_ = DibSection(width, height, &bits);
    std::fill_n(static_cast<std::uint32_t*>(bits), width * height, fill);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~DibCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC Dc() const { return dc_; }
  // 0x00RRGGBB as the DIB holds it.
  std::uint32_t Pixel(int x, int y) const { return DibPixel(bitmap_, x, y) & 0x00FFFFFF; }
  // The same pixel as a COLORREF (red in the low byte).
  COLORREF Colour(int x, int y) const {
    const std::uint32_t p = Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  HDC dc_ = CreateCompatibleDC(nullptr);
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Wine's GetGuiResources reports 0: its GDI handle table is then counted by probing the
// table's indices, which it accepts as handles.
inline DWORD GdiObjectCount() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); count != 0) return count;
  DWORD count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
  return count;
}

inline HBITMAP Bitmap32(int width, int height, const std::vector<std::uint32_t>& pixels) {
  void* bits = nullptr;
  HBITMAP bitmap = DibSection(width, height, &bits);
  std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
  return bitmap;
}

inline std::vector<std::uint32_t> Solid(int count, std::uint32_t pixel) { return std::vector<std::uint32_t>(count, pixel); }

// An icon whose mask leaves the columns left of `opaqueFrom` transparent.
inline HICON Icon(int width, int height, const std::vector<std::uint32_t>& pixels, int opaqueFrom = 0) {
  const int stride = ((width + 15) / 16) * 2;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride * height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < opaqueFrom; ++x) rows[static_cast<std::size_t>(y * stride + x / 8)] |= 0x80 >> (x % 8);
  HBITMAP colour = Bitmap32(width, height, pixels);
  HBITMAP mask = CreateBitmap(width, height, 1, 1, rows.data());
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

inline bool NearColour(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The colour pixels (with alpha) of an icon or a 32-bit bitmap, top-down.
inline std::vector<std::uint32_t> PixelsOf(HANDLE image) {
  ICONINFO info{};
  const bool icon = GetIconInfo(static_cast<HICON>(image), &info);
  HBITMAP colour = icon ? info.hbmColor : static_cast<HBITMAP>(image);
  BITMAP shape{};
  GetObjectW(colour, sizeof(shape), &shape);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(shape.bmWidth * shape.bmHeight));
  BITMAPINFO bi = DibInfo(shape.bmWidth, shape.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, colour, 0, static_cast<UINT>(shape.bmHeight), pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (icon) {
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  return pixels;
}

// A window at (20, 20) of a class of its own, registered with `procedure` on first use.
inline HWND TestWindow(const wchar_t* className, WNDPROC procedure, HWND parent, DWORD style, int width = 200,
                       int height = 100) {
  const WNDCLASSW type{0, procedure, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, GetSysColorBrush(COLOR_WINDOW),
                       nullptr, className};
  RegisterClassW(&type);
  return CreateWindowExW(0, className, L"", style, 20, 20, width, height, parent, nullptr, type.hInstance, nullptr);
}
