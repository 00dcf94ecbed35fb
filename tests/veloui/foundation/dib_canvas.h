#pragma once
// A 32-bit DIB in a memory DC to read back what was drawn; test bitmaps, icons and windows; a pump.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// A 0x..RRGGBB pixel as a COLORREF (red in the low byte).
inline COLORREF ColourOf(std::uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

// The header of a top-down DIB of `bits` bits a pixel.
inline BITMAPINFO DibInfo(int width, int height, WORD bits = 32) {
  return BITMAPINFO{{sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0}, {}};
}

inline HBITMAP DibSection(int width, int height, void** bits, WORD depth = 32) {
  const BITMAPINFO info = DibInfo(width, height, depth);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A pixel of a top-down 32-bit DIB section (Wine does not say which way up) as 0xAARRGGBB, else 0.
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
  COLORREF Colour(int x, int y) const { return ColourOf(Pixel(x, y)); }

 private:
  HDC dc_ = CreateCompatibleDC(nullptr);
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Wine's GetGuiResources reports 0: then its GDI handle table's indices are probed as handles.
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

// Each channel within `tolerance` (gradients may miss their end colours by a step or two).
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

// Registers a window class of that name (once).
inline void RegisterClassNamed(const wchar_t* name, WNDPROC procedure = DefWindowProcW, HBRUSH background = nullptr) {
  const WNDCLASSW type{0, procedure, 0, 0, GetModuleHandleW(nullptr), nullptr, LoadCursorW(nullptr, IDC_ARROW), background,
                       nullptr, name};
  RegisterClassW(&type);
}

// A window at (20, 20) of a class of its own, registered with `procedure` on first use.
inline HWND TestWindow(const wchar_t* className, WNDPROC procedure, HWND parent, DWORD style, int width = 200,
                       int height = 100) {
  RegisterClassNamed(className, procedure, GetSysColorBrush(COLOR_WINDOW));
  return CreateWindowExW(0, className, L"", style, 20, 20, width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A visible child of a system class (or of a registered one).
inline HWND ChildWindow(const wchar_t* className, HWND parent, int x, int y, int width, int height, DWORD style = 0,
                        DWORD exStyle = 0) {
  return CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// The window's rectangle on the screen, or in the client coordinates of `in`.
inline RECT RectOf(HWND window, HWND in = nullptr) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
inline std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  return std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 256)));
}

// A rectangle's left, top, right and bottom, to compare and print.
inline std::array<LONG, 4> Corners(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
inline int WidthOf(HWND window) { return RectOf(window).right - RectOf(window).left; }
inline int HeightOf(HWND window) { return RectOf(window).bottom - RectOf(window).top; }

// Dispatches waiting messages for about `milliseconds` (bounded), or until `done` says so; whether it did.
inline bool PumpFor(DWORD milliseconds, const std::function<bool()>& done = nullptr) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    for (int k = 0; k < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++k) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done && done()) return true;
    if (milliseconds > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
  return false;
}
