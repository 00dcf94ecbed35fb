#pragma once
// The hooks that follow the system's modal menu loop for toolkit menus: the two installed
// by ShowPopupMenu around a context menu, the one installed around a menu-bar drop-down, the
// one around the rebar chevron menu, and the keyboard hook that lets Alt and F10 drive the
// menu bar. The message-filter hooks act on MSGF_MENU only and pass everything on.
#include <windows.h>

LRESULT CALLBACK PopupMenuMsgFilterHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PopupMenuMouseHookLL(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MenuBarMsgFilterHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ChevronMenuMsgFilterHook(int code, WPARAM wParam, LPARAM lParam);

// WH_KEYBOARD of the GUI thread: drives the menu bar from the keyboard, and calls the next
// hook itself.
LRESULT CALLBACK MenuKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
