#include "veloui/menus/window_hooks.h"

// TrackWindowsHookProc is in track_windows_hook.cpp. For now the keyboard hook only passes
// every call on.
LRESULT CALLBACK MenuKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
