#pragma once
// Where the toolkit's popup menus go: the push to the left that keeps a context menu on its
// monitor, the chevron menu's left edge, the changes made to each window-position request of
// an Office-style popup window, and the strips a moved popup uncovered. Pure geometry, in
// screen co-ordinates.
#include <cstdint>
#include <vector>

struct ScreenRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// The popup's left edge and how far it was pushed left (0 when it fits).
struct PopupClamp {
  int Left = 0;
  int Shift = 0;
};
// A popup `width` wide opened at `x` keeps 5 pixels clear of the work area's right edge.
PopupClamp ClampPopupToWorkArea(int x, int width, int workRight);

// Room kept below a title's drop-down for its frame and shadow when deciding whether it fits
// above the work area's bottom: 4 for Office 2003 (6 or 0x1000000), 3 for Whidbey, else 0.
int DropDownFitMargin(std::uint32_t style);

// The chevron menu opens under the chevron, never left of the work area, and starts at the
// work area's right edge when it would run past it.
int ChevronMenuLeft(int chevronLeft, int menuWidth, int workLeft, int workRight);

// What one WM_WINDOWPOSCHANGING of an Office-style popup window proposes and what decides
// the changes made to it.
struct PopupPositionRequest {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool NoMove = false;
  bool NoSize = false;
  bool IsSubmenu = false;
  // The placement next to the parent runs once per window (on the second change, or on the
  // change that shows the window where the system sends only one).
  bool PlaceBesideParent = false;
  int PopupShift = 0;              // how far a context menu was pushed left
  int PopupWidth = 0;              // its measured width
  int PopupLeft = 0;
  bool ParentIsTrackedPopup = false;  // the parent is the first-level popup that was tracked
  ScreenRect Parent;               // the parent popup window's rectangle
  ScreenRect WorkArea;             // of the popup's monitor
};
struct PopupPosition {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};
PopupPosition AdjustPopupPosition(const PopupPositionRequest& request);

// The parts of `before` that `after` no longer covers: right, left, bottom and top strips in
// that order (empty when nothing was uncovered).
std::vector<ScreenRect> UncoveredStrips(const ScreenRect& before, const ScreenRect& after);

// Inclusive on all four edges, as the mouse hook counts a release on the border as inside.
bool PointInRectInclusive(const ScreenRect& rect, int x, int y);
