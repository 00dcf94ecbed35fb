#include "veloui/menus/style_fill.h"

#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/core/blit_cache_rules.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/ui_colours.h"

namespace {

COLORREF Colour(std::uint32_t style, int id) { return GetUIColour(style, id, kUIColourColorref); }

void Solid(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
  return {x, y, static_cast<COLOR16>(GetRValue(colour) << 8), static_cast<COLOR16>(GetGValue(colour) << 8),
          static_cast<COLOR16>(GetBValue(colour) << 8), 0};
}

// The same steps the cache would paint, drawn straight into `dc` with plain GDI.
void PaintSteps(HDC dc, std::uint32_t style, const std::vector<BlitPaintStep>& steps, const RECT& rect) {
  for (const BlitPaintStep& step : steps) {
    const RECT fill{rect.left + step.FillX, rect.top + step.FillY, rect.left + step.FillX + step.FillWidth,
                    rect.top + step.FillY + step.FillHeight};
    switch (step.Type) {
      case BlitPaintStep::Kind::Gradient: {
        TRIVERTEX vertices[2] = {Vertex(fill.left, fill.top, Colour(style, step.FromId)),
                                 Vertex(fill.right, fill.bottom, Colour(style, step.ToId))};
        GRADIENT_RECT mesh{0, 1};
        GdiGradientFill(dc, vertices, 2, &mesh, 1, step.X1 == step.X2 ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        break;
      }
      case BlitPaintStep::Kind::FrameAndFill: {
        Solid(dc, fill, Colour(style, step.ToId));
        HBRUSH frame = CreateSolidBrush(Colour(style, step.FromId));
        FrameRect(dc, &fill, frame);
        DeleteObject(frame);
        break;
      }
      case BlitPaintStep::Kind::Solid:
        Solid(dc, fill, Colour(style, step.FromId));
        break;
    }
  }
}

}  // namespace

void PaintStyleBackground(HDC dc, std::uint32_t style, int colourId, const RECT& rect, std::uint32_t options) {
  const std::vector<BlitPaintStep> steps = BlitPaintSteps(colourId, rect.right - rect.left, rect.bottom - rect.top);
  if (steps.empty()) {
    // Not a cached background: the colour's solid fill is all there is.
    if (HBRUSH brush = UIColourBrush(style, colourId)) FillRect(dc, &rect, brush);
  } else if (GdiPlus.GdiPlusToken != 0) {
    DrawBlitCache(dc, style, colourId, rect, options);
  } else {
    // Without a started GDI+ (missing, or loaded but refusing to start) a gradient cache stays
    // unpainted; the same steps are drawn directly.
    PaintSteps(dc, style, steps, rect);
  }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void VerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
  TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, top), Vertex(rect.right, rect.bottom, bottom)};
  GRADIENT_RECT mesh{0, 1};
  GdiGradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
}
