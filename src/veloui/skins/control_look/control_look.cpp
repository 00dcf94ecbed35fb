#include "veloui/skins/control_look/control_look.h"

#include <algorithm>

#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/toolkit_state.h"

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
  if (StateHas(state, u"selected") || StateHas(state, u"inbetween")) look.Background = MixLookColours(face, highlight, 64);
  if (StateHas(state, u"hot")) {
    look.Background = MixLookColours(look.Background, highlight, 48);
    look.Border = highlight;
  }
  if (StateHas(state, u"pressed")) {
    look.Background = MixLookColours(look.Background, highlight, 128);
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
}  // namespace

ControlLook ReadControlLook(ControlSkin skin, TextView component, TextView state, TextView prefix) {
  ControlLook look = SystemLook(state);
  if (skin != 0) ApplySkinLook(look, skin, component, state, prefix);
  return look;
}

COLORREF MixLookColours(COLORREF first, COLORREF second, std::int32_t weight) {
  const auto mix = [weight](std::uint32_t a, std::uint32_t b) {
    return (b * static_cast<std::uint32_t>(weight) + a * static_cast<std::uint32_t>(256 - weight)) / 256;
  };
  return RGB(mix(GetRValue(first), GetRValue(second)), mix(GetGValue(first), GetGValue(second)),
             mix(GetBValue(first), GetBValue(second)));
}

void PaintLookBackground(HDC dc, const RECT& area, const ControlLook& look) {
  if (look.Background != CLR_INVALID || look.Image != nullptr) {
    if (look.GradientEnd != CLR_INVALID) {
      FillGradient(dc, area, look.Background, look.GradientEnd, look.GradientVertical);
    } else {
      HBRUSH brush = CreateSolidBrush(look.Background);
      FillRect(dc, &area, brush);
      DeleteObject(brush);
    }
  }
  for (HANDLE image : {look.Image, look.OverlayImage, look.BorderImage})
    if (image != nullptr) DrawLookImage(dc, area, image);
  if (look.Border != CLR_INVALID) {
    HBRUSH brush = CreateSolidBrush(look.Border);
    FrameRect(dc, &area, brush);
    DeleteObject(brush);
  }
  MakeOpaque(dc, area);
}

RECT PaintLookImage(HDC dc, const RECT& area, const ControlLook& look) {
  if (look.StateImage == nullptr) return area;
  std::int32_t width = 16, height = 16;
  if (GetObjectType(look.StateImage) == OBJ_BITMAP) {
    BITMAP shape{};
    GetObjectW(look.StateImage, sizeof(shape), &shape);
    width = shape.bmWidth;
    height = std::abs(shape.bmHeight);
  }
  const auto place = [](const ControlLook::Place& at, LONG start, LONG end, std::int32_t size) {
    if (at.Centred) return static_cast<LONG>(start + (end - start - size) / 2);
    return at.FromFar ? static_cast<LONG>(end - at.Offset - size) : static_cast<LONG>(start + at.Offset);
  };
  const LONG x = place(look.ImageX, area.left + look.ImagePadding.left, area.right - look.ImagePadding.right, width);
  const LONG y = place(look.ImageY, area.top + look.ImagePadding.top, area.bottom - look.ImagePadding.bottom, height);
  const RECT target{x, y, x + width, y + height};
  DrawLookImage(dc, target, look.StateImage);
  RECT rest = area;
  if (!look.ImageX.Centred && !look.ImageX.FromFar) rest.left = target.right + look.ImagePadding.right;
  return rest;
}

void PaintLookText(HDC dc, const RECT& area, const ControlLook& look, const Text& text) {
  if (text.empty()) return;
  RECT inside{area.left + look.TextPadding.left, area.top + look.TextPadding.top,
              area.right - look.TextPadding.right, area.bottom - look.TextPadding.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.TextColour);
  HFONT font = look.Font != nullptr ? look.Font : Toolkit.MenuFont;
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  DrawCodedText(dc, text, inside, font, look.TextOptions);
}

WNDPROC SubclassControl(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}
