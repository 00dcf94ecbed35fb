#pragma once
// The window procedure the toolkit puts on every window that hosts one of its menu bars,
// popup menus, rebars or toolbars. The window's own procedure runs first for every message.
#include <windows.h>

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
