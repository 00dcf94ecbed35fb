#pragma once
// The toolkit menus of window 0: the menu bar with its four titles (and the F5 shortcut) and
// the pop-up menus 1, 3, 2, 73, 81 and 86.
#include <windows.h>

// The menu bar's window, nullptr when the bar could not be made (then it has no items).
HWND BuildMainMenuBar(HWND window);
void BuildPopupMenus();
