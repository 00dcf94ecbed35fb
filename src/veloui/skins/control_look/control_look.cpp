#include "veloui/skins/control_look/control_look.h"

#include <algorithm>

#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/core/value_ops.h"

namespace {
bool StateHas(TextView state, TextView word) { return state.find(word) != TextView::npos; }

ControlLook SystemLook(TextView state) {
  ControlLook look;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  look.Background = face;
  look.Border = GetSysColor(COLOR_BTNSHADOW);
  look.TextColour = GetSysColor(COLOR_BTNTEXT);
  look.TextPadding = {4, 2, 4, 2};
  if (StateHas(state, u"selected") || StateHas(state, u"inbetween")) look.Background = MixColours(face, highlight, 64);
  if (StateHas(state, u"hot")) {
    look.Background = MixColours(look.Background, highlight, 48);
    look.Border = highlight;
  }
  if (StateHas(state, u"pressed")) {
    look.Background = MixColours(look.Background, highlight, 128);
    look.Border = highlight;
  }
  if (StateHas(state, u"disabled")) look.TextColour = GetSysColor(COLOR_GRAYTEXT);
  return look;
}

void MakeOpaque(HDC dc, const RECT& area) {
  GdiFlush();
  DIBSECTION section{};
  auto* bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) || section.dsBm.bmBitsPixel != 32) return;
  auto* bits = static_cast<std::uint32_t*>(section.dsBm.bmBits);
  const bool top_down = section.dsBmih.biHeight < 0;
  const LONG right = std::min<LONG>(area.right, section.dsBm.bmWidth);
  const LONG bottom = std::min<LONG>(area.bottom, section.dsBm.bmHeight);
  for (LONG y = std::max<LONG>(area.top, 0); y < bottom; ++y) {
    const LONG row = top_down ? y : section.dsBm.bmHeight - 1 - y;
    for (LONG x = std::max<LONG>(area.left, 0); x < right; ++x)
      bits[static_cast<std::size_t>(row) * section.dsBm.bmWidth + x] |= 0xFF000000u;
  }
}

void CopyPart(HDC dc, const RECT& to, HDC source, const RECT& from, bool alpha) {
  const int width = to.right - to.left, height = to.bottom - to.top;
  const int source_width = from.right - from.left, source_height = from.bottom - from.top;
  if (width <= 0 || height <= 0 || source_width <= 0 || source_height <= 0) return;
  if (alpha) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, to.left, to.top, width, height, source, from.left, from.top, source_width, source_height, blend);
  } else {
    StretchBlt(dc, to.left, to.top, width, height, source, from.left, from.top, source_width, source_height, SRCCOPY);
  }
}

// A bitmap keeps its corners and stretches its edges and middle (a 32-bit one blended by its
// alpha); an icon is drawn at the area's size.
void DrawLookImage(HDC dc, const RECT& area, HANDLE image) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (GetObjectType(image) != OBJ_BITMAP) {
    DrawIconEx(dc, area.left, area.top, static_cast<HICON>(image), width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  BITMAP shape{};
  GetObjectW(image, sizeof(shape), &shape);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, image);
  const int corner_x = std::min<int>(shape.bmWidth / 3, width / 2);
  const int corner_y = std::min<int>(shape.bmHeight / 3, height / 2);
  const int source_x[4] = {0, corner_x, shape.bmWidth - corner_x, shape.bmWidth};
  const int source_y[4] = {0, corner_y, shape.bmHeight - corner_y, shape.bmHeight};
  const int target_x[4] = {area.left, area.left + corner_x, area.right - corner_x, area.right};
  const int target_y[4] = {area.top, area.top + corner_y, area.bottom - corner_y, area.bottom};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column)
      CopyPart(dc, RECT{target_x[column], target_y[row], target_x[column + 1], target_y[row + 1]}, source,
               RECT{source_x[column], source_y[row], source_x[column + 1], source_y[row + 1]}, shape.bmBitsPixel == 32);
  SelectObject(source, previous);
  DeleteDC(source);
}

void FillGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom, bool vertical) {
  TRIVERTEX corners[2] = {
      {area.left, area.top, static_cast<COLOR16>(GetRValue(top) << 8), static_cast<COLOR16>(GetGValue(top) << 8),
       static_cast<COLOR16>(GetBValue(top) << 8), 0xFF00},
      {area.right, area.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
       static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8), 0xFF00}};
  GRADIENT_RECT shape{0, 1};
  GdiGradientFill(dc, corners, 2, &shape, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

SIZE ImageSize(HANDLE image) {
  if (GetObjectType(image) == OBJ_BITMAP) {
    BITMAP shape{};
    GetObjectW(image, sizeof(shape), &shape);
    return {shape.bmWidth, std::abs(shape.bmHeight)};
  }
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(image), &info)) return {16, 16};
  BITMAP shape{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(shape), &shape);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return {shape.bmWidth, info.hbmColor != nullptr ? shape.bmHeight : shape.bmHeight / 2};
}

LONG PlaceAlong(const ImagePlacement::Place& at, LONG start, LONG end, LONG size) {
  if (at.Centred) return start + (end - start - size) / 2;
  return at.FromFar ? end - at.Offset - size : start + at.Offset;
}

// A bitmap at its own size whose top-left pixel's colour is keyed out.
void DrawMasked(HDC dc, const RECT& target, HANDLE image) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, image);
  const COLORREF key = GetPixel(source, 0, 0);
  GdiTransparentBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source, 0, 0,
                    target.right - target.left, target.bottom - target.top, key);
  SelectObject(source, previous);
  DeleteDC(source);
}

// A 32-bit image is its own mask (its alpha); an icon has one.
void DrawOwnSize(HDC dc, const RECT& target, HANDLE image, bool masked) {
  BITMAP shape{};
  if (masked && GetObjectType(image) == OBJ_BITMAP && GetObjectW(image, sizeof(shape), &shape) != 0 &&
      shape.bmBitsPixel != 32)
    DrawMasked(dc, target, image);
  else
    DrawLookImage(dc, target, image);
}

// An image in `area` as its placement says, clipped to the area.
void DrawPlacedImage(HDC dc, const RECT& area, HANDLE image, const ImagePlacement& place) {
  if (image == nullptr) return;
  if (place.Fit == ImagePlacement::Fit::Stretch) {
    DrawLookImage(dc, area, image);
    return;
  }
  const SIZE size = ImageSize(image);
  if (size.cx <= 0 || size.cy <= 0) return;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  if (place.Fit == ImagePlacement::Fit::Tile) {
    for (LONG y = area.top; y < area.bottom; y += size.cy)
      for (LONG x = area.left; x < area.right; x += size.cx) DrawOwnSize(dc, {x, y, x + size.cx, y + size.cy}, image, place.Masked);
  } else {
    const LONG x = PlaceAlong(place.X, area.left, area.right, size.cx);
    const LONG y = PlaceAlong(place.Y, area.top, area.bottom, size.cy);
    DrawOwnSize(dc, {x, y, x + size.cx, y + size.cy}, image, place.Masked);
  }
  RestoreDC(dc, saved);
}

// Where the mask, laid over the area with its corners kept, is transparent, the colour behind
// the control shows through, as far as the mask's alpha lets it (rounded corners and the like).
void ApplyBorderMask(HDC dc, const RECT& area, HANDLE mask, COLORREF behind) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP scratch = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (scratch == nullptr) return;
  HDC scratch_dc = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(scratch_dc, scratch);
  DrawLookImage(scratch_dc, {0, 0, width, height}, mask);
  GdiFlush();
  const auto* alpha = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (const std::uint32_t kept = alpha[static_cast<std::size_t>(y) * width + x] >> 24; kept < 255)
        SetPixelV(dc, area.left + x, area.top + y, MixColours(behind, GetPixel(dc, area.left + x, area.top + y), kept));
  SelectObject(scratch_dc, previous);
  DeleteDC(scratch_dc);
  DeleteObject(scratch);
}
}  // namespace

ControlLook ReadControlLook(ControlSkin skin, TextView component, TextView state, TextView prefix) {
  ControlLook look = SystemLook(state);
  if (skin != 0) ApplySkinLook(look, skin, component, state, prefix);
  return look;
}

void PaintLookBackground(HDC dc, const RECT& area, const ControlLook& look, COLORREF behind) {
  if (look.Background != CLR_INVALID) {
    if (look.GradientEnd != CLR_INVALID) {
      FillGradient(dc, area, look.Background, look.GradientEnd, look.GradientVertical);
    } else {
      HBRUSH brush = CreateSolidBrush(look.Background);
      FillRect(dc, &area, brush);
      DeleteObject(brush);
    }
  }
  DrawPlacedImage(dc, area, look.Image, look.ImagePlace);
  DrawPlacedImage(dc, area, look.OverlayImage, look.OverlayPlace);
  if (look.BorderImage != nullptr) DrawLookImage(dc, area, look.BorderImage);
  if (look.Border != CLR_INVALID) {
    HBRUSH brush = CreateSolidBrush(look.Border);
    FrameRect(dc, &area, brush);
    DeleteObject(brush);
  }
  if (look.BorderMask != nullptr)
    ApplyBorderMask(dc, area, look.BorderMask, behind != CLR_INVALID ? behind : GetSysColor(COLOR_BTNFACE));
  MakeOpaque(dc, area);
}

RECT PaintLookImage(HDC dc, const RECT& area, const ControlLook& look) {
  if (look.StateImage == nullptr) return area;
  const RECT inside{area.left + look.ImagePadding.left, area.top + look.ImagePadding.top,
                    area.right - look.ImagePadding.right, area.bottom - look.ImagePadding.bottom};
  const SIZE size = ImageSize(look.StateImage);
  const LONG x = PlaceAlong(look.StatePlace.X, inside.left, inside.right, size.cx);
  const LONG y = PlaceAlong(look.StatePlace.Y, inside.top, inside.bottom, size.cy);
  DrawOwnSize(dc, {x, y, x + size.cx, y + size.cy}, look.StateImage, look.StatePlace.Masked);
  RECT rest = area;
  if (!look.StatePlace.X.Centred && !look.StatePlace.X.FromFar) rest.left = x + size.cx + look.ImagePadding.right;
  return rest;
}

void PaintLookText(HDC dc, const RECT& area, const ControlLook& look, const Text& text) {
  if (text.empty()) return;
  RECT inside{area.left + look.TextPadding.left, area.top + look.TextPadding.top,
              look.NoClip ? area.right : area.right - look.TextPadding.right,
              look.NoClip ? area.bottom : area.bottom - look.TextPadding.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.TextColour);
  HFONT font = look.Font != nullptr ? look.Font : Toolkit.MenuFont;
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  DrawCodedText(dc, text, inside, font, look.TextOptions);
}

namespace {
constexpr wchar_t kReplacedProcedure[] = L"VeloUI_ReplacedProcedure";
}  // namespace

void SubclassControl(HWND window, WNDPROC procedure) {
  const LONG_PTR replaced = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  SetPropW(window, kReplacedProcedure, reinterpret_cast<HANDLE>(replaced));
}

WNDPROC ReplacedProcedure(HWND window) { return reinterpret_cast<WNDPROC>(GetPropW(window, kReplacedProcedure)); }

LRESULT CallReplacedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC replaced = ReplacedProcedure(window);
  if (message == WM_NCDESTROY) RemovePropW(window, kReplacedProcedure);
  if (replaced == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(replaced, window, message, wParam, lParam);
}
