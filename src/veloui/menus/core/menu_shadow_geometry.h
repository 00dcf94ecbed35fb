#pragma once
// Where the toolkit's menu shadows go: the three strips around a popup-menu window (its
// right side, its bottom and the corner between them) and the two beside a pressed
// menu-bar title, kept off the window a submenu opened from and inside the work area.
#include <cstdint>
#include <optional>
#include <vector>

constexpr int kMenuShadowDepth = 5;

struct ShadowRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Empty() const { return Right <= Left || Bottom <= Top; }
};

struct ShadowStrip {
  ShadowRect Area;
  std::uint32_t Flags = 0;  // the CreateDropShadow flags
};

// Right, bottom and corner strips of a popup, in that order; an empty strip where nothing
// is left (a strip is shortened so that it never falls on `avoid`, the parent popup).
std::vector<ShadowStrip> PopupShadowStrips(const ShadowRect& popup, int depth, const std::optional<ShadowRect>& avoid);
// The strip beside a title's right side, then the one along its bottom, cut to the work area.
std::vector<ShadowStrip> TitleShadowStrips(const ShadowRect& title, int depth, const ShadowRect& workArea);
