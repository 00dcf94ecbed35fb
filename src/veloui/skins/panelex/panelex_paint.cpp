#include <algorithm>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
// A top-down 32-bit DIB section of width by height selected into a fresh memory dc.
bool MakeBuffer(std::int32_t width, std::int32_t height, HDC& dc, HBITMAP& bitmap) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP made = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (made == nullptr) return false;
  HDC made_dc = dc != nullptr ? dc : CreateCompatibleDC(nullptr);
  if (made_dc == nullptr) {
    DeleteObject(made);
    return false;
  }
  SelectObject(made_dc, made);  // deselects the previous buffer, which the caller deletes
  dc = made_dc;
  bitmap = made;
  return true;
}

bool BufferFits(HBITMAP bitmap, std::int32_t width, std::int32_t height) {
  BITMAP shape{};
  return bitmap != nullptr && GetObjectW(bitmap, sizeof(shape), &shape) == sizeof(shape) && shape.bmWidth >= width &&
         shape.bmHeight >= height;
}

// Grows (never shrinks) a buffer to at least width by height.
HDC EnsureBuffer(HDC& dc, HBITMAP& bitmap, std::int32_t width, std::int32_t height) {
  if (BufferFits(bitmap, width, height)) return dc;
  BITMAP shape{};
  if (bitmap != nullptr) GetObjectW(bitmap, sizeof(shape), &shape);
  HBITMAP old = bitmap;
  if (!MakeBuffer(std::max<std::int32_t>(width, shape.bmWidth), std::max<std::int32_t>(height, shape.bmHeight), dc,
                  bitmap))
    return nullptr;
  if (old != nullptr) DeleteObject(old);
  return dc;
}

COLORREF PanelColour(const PanelExRecord& panel) {
  return panel.Background != CLR_INVALID ? panel.Background : GetSysColor(COLOR_BTNFACE);
}

void FillOpaque(HDC dc, const RECT& area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  // GDI leaves the alpha byte of a 32-bit DIB at 0: the buffer's pixels are opaque.
  GdiFlush();
  DIBSECTION section{};
  auto* bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) return;
  auto* bits = static_cast<std::uint32_t*>(section.dsBm.bmBits);
  const std::int32_t right = std::min<std::int32_t>(area.right, section.dsBm.bmWidth);
  const std::int32_t bottom = std::min<std::int32_t>(area.bottom, section.dsBm.bmHeight);
  for (std::int32_t y = std::max<std::int32_t>(area.top, 0); y < bottom; ++y)
    for (std::int32_t x = std::max<std::int32_t>(area.left, 0); x < right; ++x)
      bits[static_cast<std::size_t>(y) * section.dsBm.bmWidth + x] |= 0xFF000000u;
}

// A page below opaque is blended over the panel's colour in the alpha buffer.
void PresentFaded(PanelExRecord& panel, HDC target, std::int32_t width, std::int32_t height, std::uint16_t alpha) {
  HDC faded = EnsureBuffer(panel.AlphaDC, panel.AlphaBitmap, width, height);
  if (faded == nullptr) return;
  const RECT area{0, 0, width, height};
  FillOpaque(faded, area, PanelColour(panel));
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::min<std::uint16_t>(alpha, 255)), 0};
  GdiAlphaBlend(faded, 0, 0, width, height, panel.BufferDC, 0, 0, width, height, blend);
  BitBlt(target, 0, 0, width, height, faded, 0, 0, SRCCOPY);
}
}  // namespace

HDC PanelExBufferDC(std::intptr_t panel, std::int32_t width, std::int32_t height) {
  PanelExRecord* record = FindPanelExRecord(panel);
  if (record == nullptr || width <= 0 || height <= 0) return nullptr;
  HDC dc = EnsureBuffer(record->BufferDC, record->BufferBitmap, width, height);
  record->BufferImage = record->BufferBitmap;
  return dc;
}

std::int32_t PaintPanelEx(HWND window, HDC dc) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  RECT area{};
  GetClientRect(window, &area);
  const PanelExPageRecord* page = FindPageRecordOfWindow(window);
  PanelExRecord* panel =
      FindPanelExRecord(reinterpret_cast<std::intptr_t>(page != nullptr ? page->PanelWindow : window));
  if (panel == nullptr) return 0;
  HDC buffer = PanelExBufferDC(panel->Id, area.right, area.bottom);
  if (buffer == nullptr) return 0;
  COLORREF colour = PanelColour(*panel);
  if (page != nullptr && page->Background != CLR_INVALID) colour = page->Background;
  FillOpaque(buffer, area, colour);
  if (page != nullptr && page->Alpha < 255)
    PresentFaded(*panel, dc, area.right, area.bottom, page->Alpha);
  else
    BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
  return 1;
}
