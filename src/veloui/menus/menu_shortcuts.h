#pragma once
// Keyboard shortcuts written into menu item texts ("Copy$Ctrl+K"): registered per top-level
// window ("0": every window, for popup menus), fired by a get-message hook of the GUI thread
// that sends the item's WM_COMMAND to the window and swallows the key press.
#include <windows.h>

#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/menus/core/shortcut_table.h"

// While non-zero RegisterMenuShortcut does nothing (0 in this program). The hook's handle
// is the toolkit's get-message hook, which teardown removes.
struct ShortcutRegistration {
  bool NoRegistration = false;
};
extern ShortcutRegistration ShortcutSwitch;

// Registers (or with command id -1 unregisters) the shortcut of an item text; 1 when one
// was parsed and stored or removed, else 0. Window nullptr: a shortcut of every window.
std::int32_t RegisterMenuShortcut(HWND window, std::int32_t commandId, const Text& itemText);
// Stores or removes one shortcut text for the window; an empty text forgets all of the
// window's shortcuts. 0 for a window handle that names no window or an unusable text.
std::int32_t ParseShortcut(HWND window, std::int32_t commandId, const Text& shortcutText);
LRESULT CALLBACK ShortcutHookProc(int code, WPARAM removal, LPARAM message);

// The table itself (guarded by the toolkit's shortcut lock), keyed by WindowKey of a
// top-level window.
ShortcutMap& ShortcutTable();
