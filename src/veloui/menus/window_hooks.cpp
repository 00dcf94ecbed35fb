#include "veloui/menus/window_hooks.h"

#include "veloui/menus/menu_tracking_hooks.h"

// TrackWindowsHookProc is in track_windows_hook.cpp; the menu bar's keyboard handling,
// with the call of the next hook, in menu_tracking_hooks.cpp.
LRESULT CALLBACK MenuKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return DriveMenuBarFromKeyboard(code, wParam, lParam);
}
