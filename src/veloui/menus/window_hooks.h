#pragma once
// The GUI thread's menu hooks: TrackWindowsHookProc (WH_CALLWNDPROC) follows windows as
// they are made and shown; MenuKeyboardHookProc (WH_KEYBOARD) drives the menu bar from the
// keyboard.
#include <windows.h>

LRESULT CALLBACK TrackWindowsHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MenuKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
