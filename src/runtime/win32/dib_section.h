#pragma once
// 32-bit top-down DIB sections: rows from the top, one BGRA word a pixel, for pixels the
// program reads or writes itself. Header-only, so that the toolkit uses it without linking
// the rest of the runtime.
#include <windows.h>

inline BITMAPINFO TopDown32BitmapInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// nullptr when it could not be made; `bits` then stays untouched.
inline HBITMAP CreateTopDown32Dib(int width, int height, void** bits, HDC reference = nullptr) {
  const BITMAPINFO info = TopDown32BitmapInfo(width, height);
  return CreateDIBSection(reference, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}
