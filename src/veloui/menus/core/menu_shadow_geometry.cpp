#include "veloui/menus/core/menu_shadow_geometry.h"

#include <algorithm>

#include "veloui/menus/core/drop_shadow_pieces.h"

namespace {
bool Overlap(const ShadowRect& a, const ShadowRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Shortens a strip along its length so that it leaves `avoid` alone; a strip that `avoid`
// covers in its middle keeps its longer free end.
ShadowRect KeepOff(ShadowRect strip, const ShadowRect& avoid, bool vertical) {
  if (strip.Empty() || !Overlap(strip, avoid)) return strip;
  int& start = vertical ? strip.Top : strip.Left;
  int& end = vertical ? strip.Bottom : strip.Right;
  const int avoid_start = vertical ? avoid.Top : avoid.Left;
  const int avoid_end = vertical ? avoid.Bottom : avoid.Right;
  const int free_before = avoid_start - start;
  const int free_after = end - avoid_end;
  if (free_before <= 0 && free_after <= 0) return ShadowRect{};
  if (free_after >= free_before) {
    start = avoid_end;
  } else {
    end = avoid_start;
  }
  return strip;
}

ShadowRect Intersect(const ShadowRect& a, const ShadowRect& b) {
  ShadowRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
  return r.Empty() ? ShadowRect{} : r;
}
}  // namespace

std::vector<ShadowStrip> PopupShadowStrips(const ShadowRect& popup, int depth, const std::optional<ShadowRect>& avoid) {
  std::vector<ShadowStrip> strips{
      {{popup.Right, popup.Top + depth, popup.Right + depth, popup.Bottom}, kShadowVertical | kShadowFadeStartOnly},
      {{popup.Left + depth, popup.Bottom, popup.Right, popup.Bottom + depth}, kShadowFadeStartOnly},
      {{popup.Right, popup.Bottom, popup.Right + depth, popup.Bottom + depth}, kShadowVertical | kShadowFadeEndOnly},
  };
  for (ShadowStrip& strip : strips) {
    if (strip.Area.Empty()) strip.Area = ShadowRect{};
    if (avoid) strip.Area = KeepOff(strip.Area, *avoid, (strip.Flags & kShadowVertical) != 0);
  }
  return strips;
}

std::vector<ShadowStrip> TitleShadowStrips(const ShadowRect& title, int depth, const ShadowRect& workArea) {
  std::vector<ShadowStrip> strips{
      {{title.Right, title.Top + depth, title.Right + depth, title.Bottom}, kShadowVertical | kShadowFadeStartOnly},
      {{title.Left + depth, title.Bottom, title.Right, title.Bottom + depth}, kShadowFadeStartOnly},
  };
  for (ShadowStrip& strip : strips) strip.Area = Intersect(strip.Area, workArea);
  return strips;
}
