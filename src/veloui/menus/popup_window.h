#pragma once
// The toolkit's side of the system's popup-menu windows (class "#32768"): each open one is
// subclassed with PopupMenuWindowProc, which keeps a record per window, switches the
// selection fade off while toolkit menus are open, paints frame and background in the menu's
// style, keeps submenus and drop-downs aligned, gives them the toolkit's drop shadow and
// repaints what a moved popup uncovered.
#include <windows.h>

#include <cstdint>

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/menus.h"

// The system's message that selects an item of a popup-menu window (wParam the position,
// -1 clears the selection).
constexpr UINT kMenuSelectItemMessage = 0x1E5;

struct PopupWindowRecord {
  MenuRecord* Menu = nullptr;        // TrackedMenuRecord when the window appeared
  std::int32_t SavedStyle = -1;      // the submenu record's own style; -1 unchanged
  HMENU Submenu = nullptr;           // the menu shown when this is a submenu
  PopupWindowRecord* Parent = nullptr;
  HWND Window = nullptr;
  std::int32_t PositionChanges = 0;
  bool PlacedBesideParent = false;
  // The tracking value this window replaced, given back when it closes: the popup window that
  // was the newest before it (a submenu's parent), so that what the hooks test stays on screen.
  HWND SavedDropState = nullptr;
};

struct PopupWindowGlobals {
  int OpenWindows = 0;
  bool FadeSwitchedOff = false;
  std::int32_t CascadeStyle = 0;
  PopupWindowRecord* Current = nullptr;
  RECT SavedArea{};  // last rectangle a drop-down covered; empty = none
  bool TearingDown = false;  // a window of the cascade is hiding or going: no shadows are cast
};
extern PopupWindowGlobals PopupWindows;

LRESULT CALLBACK PopupMenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// While `menu` is tracked the thread window hook puts PopupMenuWindowProc on every new
// "#32768" window; nullptr ends that.
void AnnounceTrackedMenu(HMENU menu);

void PlacePopupMenuWindow(HWND window);
void RestoreAreaUnderPopup(HWND window);
// The same for the rectangle `window` is about to take.
void RestoreAreaUnder(const RECT& now, HWND window);
void RedrawWindowsUnderRect(const RECT& rect, HWND window);
BOOL CALLBACK RedrawUnderRectProc(HWND window, LPARAM area);
void RedrawSavedPopupArea();
void SetAllMenuItemInfo(HMENU menu);

// The popup windows of the open cascade (guarded by the menu lock).
ToolkitRecordList<PopupWindowRecord>& PopupWindowList();
// Whether a screen point lies on any open popup window of the cascade (border included).
bool PointOnOpenPopup(POINT point);

