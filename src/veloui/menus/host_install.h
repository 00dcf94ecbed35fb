#pragma once
// What every creator of a toolkit bar or menu does to the window that hosts it: put the
// host window procedure on it once, install the GUI thread's menu hooks once, make the
// menu font once, and switch visual styles off for a control the toolkit paints itself.
#include <windows.h>

// Subclasses `window` with HostWindowProc unless it carries it already, and adds
// WS_CLIPCHILDREN to its style.
void InstallHostWindowProc(HWND window);
// TrackWindowsHookProc (WH_CALLWNDPROC) and the menu bar's keyboard hook (WH_KEYBOARD,
// MenuKeyboardHookProc) for the calling thread, each unless installed.
void EnsureMenuThreadHooks();
// The toolkit's menu font, made from the system's non-client metrics when missing.
HFONT EnsureMenuFont();
// SetWindowTheme(window, "", "") when the visual-styles library is bound.
void SwitchOffVisualTheme(HWND window);
