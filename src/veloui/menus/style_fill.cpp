#include "veloui/menus/style_fill.h"

#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/ui_colours.h"

void PaintStyleBackground(HDC dc, std::uint32_t style, int colourId, const RECT& rect, std::uint32_t options) {
  if (HBRUSH brush = UIColourBrush(style, colourId)) FillRect(dc, &rect, brush);
  // Without GDI+ a gradient cache stays unpainted and would copy black over the fill.
  if (GdiPlus.Library != nullptr) DrawBlitCache(dc, style, colourId, rect, options);
}
