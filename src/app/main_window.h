#pragma once
// Window 0, the program's working window: the toolkit menu bar in rebar 4, the six pop-up
// menus, the tab panel with the Players, Bans, Missions and Database lists, the log with
// the in-game message field under a splitter, and the status bar. Nothing in it has a
// callback: clicks, menu choices and shortcuts arrive as events of the main loop.
#include <windows.h>

#include <cstdint>

// Once on the GUI thread, before the toolkit starts and any window is made: the sorting
// library, the hand-over of window work from other threads, and this window as the one the
// protocol code reaches (with the GUI thread's wait hook).
void InitMainWindowServices();
// Builds window 0 from the settings (geometry, column widths, database switch) and shows it;
// does nothing more when the window cannot be opened. The toolkit must have started.
void CreateMainWindow();
// Loads "UxTheme.dll" and switches the gadget's visual theme off; a missing library leaves it.
void DisableGadgetTheme(int gadget);
// 1 disables, 0 enables the REFRESH button, the players, bans and missions lists, the message
// field and the server items of the menu bar.
void SetMainWindowServerControlsDisabled(bool disabled);
// The handle a stored image has for a menu item (icon or bitmap); nullptr when none.
HANDLE StoredImageHandle(int image);
