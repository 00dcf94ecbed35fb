#pragma once
// TrackWindowsHookProc (WH_CALLWNDPROC of the GUI thread) follows windows as they are made
// and shown. What it knows of the toolkit menu being tracked: The popup-menu code keeps these fields while TrackPopupMenuEx runs for one of its
// menus (it may keep them here as its own state); the hook reads them and, when the
// system's popup window appears, records it. GUI thread only.
//
// While a toolkit menu is tracked the hook gives every new "#32768" window the
// PopupWindowProcedure (when one is set) and destroys the system's "SysShadow" at once, so
// that the toolkit's own shadows show; it destroys the shadows of a popup window when that
// goes; and it subclasses every other new window of the thread with ChildControlWindowProc.
#include <windows.h>

struct MenuTrackingHookState {
  HMENU TrackedMenu = nullptr;              // non-zero while a toolkit menu is tracked
  HWND OpenPopupWindow = nullptr;           // the "#32768" window last made for it
  WNDPROC PopupWindowProcedure = nullptr;   // the toolkit's popup-window procedure
  WNDPROC SystemPopupProcedure = nullptr;   // the procedure it replaced
  // A title switch of the menu bar: the new title's index is made hot when its popup appears.
  HWND MenuBarToolbar = nullptr;
  bool TitleSwitchPending = false;
  int SwitchHotIndex = -1;
  int LastIndexShown = -1;
  // Without desktop composition, popups may save the screen beneath them; a repaint under
  // an open popup makes that copy stale (-1 valid, 1 stale).
  bool SavedScreenOption = false;
  int SavedScreenStale = -1;
};

extern MenuTrackingHookState MenuTrackingHook;

void ResetMenuTrackingHook();
// A title switch under way: a pending switch whose new title has not been shown yet.
bool TitleSwitchUnderWay();
// The one way the pending title switch ends, whoever ends it (its menu closed, or the bar
// closed its state): the next switch, even to the same title, makes its title hot again.
void ClearPendingTitleSwitch();

LRESULT CALLBACK TrackWindowsHookProc(int code, WPARAM wParam, LPARAM lParam);
