#include "veloui/foundation/style_images.h"


#include "veloui/foundation/core/blit_cache_rules.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/image_effects.h"

HICON MakeStyleImage(HANDLE image, std::uint32_t style) {
  HANDLE made = nullptr;
  if (style == UISTYLE_WHIDBEY) {
    made = MakeIconEffect(image, 80, 0, 0, 0, 0, kEffectMakeIcon);
  } else if (style == UISTYLE_OFFICE2003_SHORT || style == UISTYLE_OFFICE2003) {
    made = TintIcon(image, 255, GetUIColour(style, 36, kUIColourColorref), 0.0f, 0.64f, RGB(210, 210, 210), 110,
                    kEffectMakeIcon);
  } else if (style == UISTYLE_OFFICE2007) {
    made = TintIcon(image, 190, GetUIColour(style, 11, kUIColourColorref), -0.1f, 0.49f,
                    GetUIColour(style, 10, kUIColourColorref), 80, kEffectMakeIcon);
  } else {
    made = MakeIconEffect(image, 120, 0, 0, 0, 0, kEffectGreyscale | kEffectMakeIcon);
  }
  return static_cast<HICON>(made);
}

int DrawPolygonGlyph(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 0, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ previousPen = SelectObject(dc, pen);
  HGDIOBJ previousBrush = SelectObject(dc, brush);
  const POINT corners[3] = {{x + (width - 1) / 2, y + height - 1}, {x, y}, {x + width - 1, y}};
  Polygon(dc, corners, 3);
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);
  DeleteObject(pen);
  DeleteObject(brush);
  return 0;
}
