#include "veloui/menus/title_looks.h"

#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/menus/toolbar_button_paint.h"

namespace {

constexpr int kHotState = 2;
constexpr int kPressedState = 3;

enum WhidbeyId : int { kHotFill = 5, kHotBorder = 8, kHeldFill = 9, kHeldBorder = 12 };

bool DrawThemedFace(HDC dc, const RECT& rect, bool open) {
  if (!ToolbarThemeDrawable()) return false;
  DrawToolbarThemeButton(dc, rect, open ? kPressedState : kHotState);
  return true;
}

// GetModeColour gives the Whidbey table's fills and frames as cached brushes.
HBRUSH WhidbeyBrush(int id) {
  return reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(GetModeColour(UISTYLE_WHIDBEY, id)));
}

void DrawWhidbeyFace(HDC dc, const RECT& rect, bool open) {
  if (HBRUSH fill = WhidbeyBrush(open ? kHeldFill : kHotFill)) FillRect(dc, &rect, fill);
  RECT frame = rect;
  if (open) frame.bottom += 1;  // open at the bottom, where the drop-down joins
  if (HBRUSH border = WhidbeyBrush(open ? kHeldBorder : kHotBorder)) FrameRect(dc, &frame, border);
}

}  // namespace

bool HasPlainTitleLook(std::int32_t style) { return !IsOfficeStyle(static_cast<std::uint32_t>(style)); }

void PaintPlainTitleFace(HDC dc, const RECT& rect, std::int32_t style, bool open) {
  if (static_cast<std::uint32_t>(style) == UISTYLE_WHIDBEY) {
    if (!DrawThemedFace(dc, rect, open)) DrawWhidbeyFace(dc, rect, open);
    return;
  }
  RECT edge = rect;
  DrawEdge(dc, &edge, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}
