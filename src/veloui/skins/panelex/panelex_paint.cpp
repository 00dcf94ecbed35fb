#include <algorithm>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/image_store_states.h"
#include "veloui/foundation/system_binding.h"
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

// Fills the area with the colour (CLR_INVALID: keeps what is there) and makes it opaque.
void FillOpaque(HDC dc, const RECT& area, COLORREF colour) {
  if (colour != CLR_INVALID) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
  }
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

// A small drawing of each part, stretched where it is used.
constexpr int kThemePartSide = 64;
constexpr int kTabPartBody = 10;  // TABP_BODY: the face of a tab page
using DrawThemeBackgroundProc = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);

// Stretches an image of the list over `area`.
void DrawStretched(HDC dc, const RECT& area, HIMAGELIST list, int index) {
  int width = 0, height = 0;
  if (!ImageList_GetIconSize(list, &width, &height)) return;
  HDC scratch = nullptr;
  HBITMAP bitmap = nullptr;
  if (!MakeBuffer(width, height, scratch, bitmap)) return;
  ImageList_Draw(list, index, scratch, 0, 0, ILD_NORMAL);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, scratch, 0, 0, width, height,
             SRCCOPY);
  DeleteDC(scratch);
  DeleteObject(bitmap);
}

// The first image of a page's list, tiled from the top-left corner.
void TileImage(HDC dc, const RECT& area, HIMAGELIST list) {
  int width = 0, height = 0;
  if (ImageList_GetImageCount(list) == 0 || !ImageList_GetIconSize(list, &width, &height) || width <= 0 || height <= 0)
    return;
  for (LONG y = area.top; y < area.bottom; y += height)
    for (LONG x = area.left; x < area.right; x += width) ImageList_Draw(list, 0, dc, x, y, ILD_TRANSPARENT);
}

// The page's own colour, else the panel's, else the theme's page body, else the button face.
void PaintPageBackground(HDC buffer, const RECT& area, const PanelExRecord& panel, const PanelExPageRecord* page) {
  if (page != nullptr && page->Background != CLR_INVALID) {
    FillOpaque(buffer, area, page->Background);
  } else if (panel.Background == CLR_INVALID && panel.ThemeParts != nullptr) {
    DrawStretched(buffer, area, panel.ThemeParts, kThemePartPageBody);
  } else {
    FillOpaque(buffer, area, PanelColour(panel));
  }
  if (page != nullptr && page->BackgroundImage != 0) DrawStateImage(page->BackgroundImage, u"normal", buffer, area);
  if (page != nullptr && page->ImageList != nullptr) TileImage(buffer, area, page->ImageList);
  FillOpaque(buffer, area, CLR_INVALID);
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

HIMAGELIST MakeThemePartImages() {
  const auto draw = reinterpret_cast<DrawThemeBackgroundProc>(reinterpret_cast<void*>(UxTheme.DrawThemeBackground));
  if (draw == nullptr || UxTheme.ThemeTabData == nullptr) return nullptr;
  HDC dc = nullptr;
  HBITMAP body = nullptr;
  if (!MakeBuffer(kThemePartSide, kThemePartSide, dc, body)) return nullptr;
  const RECT area{0, 0, kThemePartSide, kThemePartSide};
  FillOpaque(dc, area, GetSysColor(COLOR_BTNFACE));
  draw(UxTheme.ThemeTabData, dc, kTabPartBody, 0, &area, nullptr);
  FillOpaque(dc, area, CLR_INVALID);
  DeleteDC(dc);  // the image list takes a bitmap that no DC holds
  HIMAGELIST parts = ImageList_Create(kThemePartSide, kThemePartSide, ILC_COLOR32, 1, 0);
  if (parts != nullptr && ImageList_Add(parts, body, nullptr) != kThemePartPageBody) {
    ImageList_Destroy(parts);
    parts = nullptr;
  }
  DeleteObject(body);
  return parts;
}

std::int32_t PaintPanelEx(HWND window, HDC dc) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  RECT area{};
  GetClientRect(window, &area);
  PanelExPageRecord* page = FindPageRecordOfWindow(window);
  PanelExRecord* panel =
      FindPanelExRecord(reinterpret_cast<std::intptr_t>(page != nullptr ? page->PanelWindow : window));
  if (panel == nullptr) return 0;
  HDC buffer = PanelExBufferDC(panel->Id, area.right, area.bottom);
  if (buffer == nullptr) return 0;
  PaintPageBackground(buffer, area, *panel, page);
  if (page != nullptr && page->Alpha < 255)
    PresentFaded(*panel, dc, area.right, area.bottom, page->Alpha);
  else
    BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
  if (page == nullptr) return 1;
  // The children standing on the page are drawn again over what was just painted.
  PanelExPageRecord* const saved = PanelEx().CurrentPageRecord;
  MakePageCurrent(page);
  RedrawTransparentChildren(window);
  MakePageCurrent(IsLivePage(saved) ? saved : nullptr);
  return 1;
}
