#pragma once
// Context menus: ShowPopupMenu opens a toolkit popup menu at a screen point and returns once
// it has closed, with its tracking hooks installed only for that time.
#include <windows.h>

#include <cstdint>

// `menu` is a toolkit menu id or menu handle; `window` receives the WM_COMMAND of the chosen
// item. 1 after the menu was shown; 0 when there are no menu items at all, no such menu, or
// the menu has no items.
std::int32_t ShowPopupMenu(std::intptr_t menu, HWND window, int x, int y);
