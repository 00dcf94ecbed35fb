#include "veloui/menus/core/popup_placement.h"

#include <algorithm>

#include "veloui/foundation/core/ui_colour_ids.h"

namespace {
constexpr int kRightMargin = 5;
constexpr int kMaxShiftCorrection = 5;
constexpr int kSubmenuNarrower = 2;
constexpr int kPopupShorter = 3;
constexpr int kSubmenuFurtherRight = 3;
constexpr int kSubmenuLower = 2;
}  // namespace

int DropDownFitMargin(std::uint32_t style) {
  if (style == UISTYLE_OFFICE2003_SHORT || style == UISTYLE_OFFICE2003) return 4;
  return style == UISTYLE_WHIDBEY ? 3 : 0;
}

PopupClamp ClampPopupToWorkArea(int x, int width, int workRight) {
  if (x + width + kRightMargin <= workRight) return {x, 0};
  // One pixel more than the overhang: the shift is undone by the window placement later,
  // which moves the frame back right by one less than this.
  return {workRight - width - kRightMargin, x + width - workRight + 6};
}

int ChevronMenuLeft(int chevronLeft, int menuWidth, int workLeft, int workRight) {
  int x = std::max(chevronLeft, workLeft);
  if (x + menuWidth > workRight) x = workRight;
  return x;
}

PopupPosition AdjustPopupPosition(const PopupPositionRequest& request) {
  PopupPosition result{request.X, request.Y, request.Width, request.Height};
  if (!request.NoSize) {
    if (request.IsSubmenu) {
      result.Width -= kSubmenuNarrower;
    } else {
      result.Width = request.PopupWidth;
    }
    result.Height -= kPopupShorter;
  }
  if (request.NoMove) return result;
  if (!request.IsSubmenu && request.PopupShift >= 2) {
    result.X += std::min(request.PopupShift - 1, kMaxShiftCorrection);
  }
  if (request.IsSubmenu && request.PlaceBesideParent) {
    if (result.X > request.Parent.Left) {
      result.X = request.ParentIsTrackedPopup ? request.PopupLeft + request.PopupWidth - 1
                                              : result.X + kSubmenuFurtherRight;
    }
    result.Y += kSubmenuLower;
    if (result.X + result.Width > request.WorkArea.Right) {
      result.X = request.Parent.Left - result.Width + 1;
    }
    if (result.Y + result.Height > request.WorkArea.Bottom) {
      result.Y = request.WorkArea.Bottom - result.Height;
    }
  }
  return result;
}

std::vector<ScreenRect> UncoveredStrips(const ScreenRect& before, const ScreenRect& after) {
  std::vector<ScreenRect> strips;
  if (before.Right > after.Right) {
    strips.push_back({std::max(after.Right, before.Left), before.Top, before.Right, before.Bottom});
  }
  if (before.Left < after.Left) {
    strips.push_back({before.Left, before.Top, std::min(after.Left, before.Right), before.Bottom});
  }
  if (before.Bottom > after.Bottom) {
    strips.push_back({before.Left, std::max(after.Bottom, before.Top), before.Right, before.Bottom});
  }
  if (before.Top < after.Top) {
    strips.push_back({before.Left, before.Top, before.Right, std::min(after.Top, before.Bottom)});
  }
  return strips;
}

bool PointInRectInclusive(const ScreenRect& rect, int x, int y) {
  return x >= rect.Left && x <= rect.Right && y >= rect.Top && y <= rect.Bottom;
}
