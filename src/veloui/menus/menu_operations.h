#pragma once
// The menu operations beyond building: switches for F10 and shortcuts, the menu font and
// style, replacing an item's text and images, and check marks and radio groups. A menu
// argument matches a record by Id, Handle or Toolbar; results are 1 or 0 unless stated.
#include <windows.h>

#include <cstdint>

#include "runtime/portable/text.h"

std::int32_t SetMenuF10Disabled(bool disabled);
std::int32_t SetMenuShortcutsDisabled(bool disabled);
// The toolkit's menu font; nullptr before the first menu bar or popup.
HFONT GetMenuFont();
// A popup's menu handle or a menu bar's toolbar window (as a number); 0 when there is none.
std::intptr_t GetSkinnedMenuHandle(std::intptr_t menuId);
// The client height of the menu bar's toolbar; 0 when there is none.
std::int32_t GetMenuBarHeight(std::intptr_t menu);
std::int32_t SetMenuStyle(std::intptr_t menu, std::uint32_t style);
// Copies `font` (which must be a font) into the new menu font.
std::int32_t SetMenuFont(HFONT font);
std::int32_t SetMenuItemEx(std::intptr_t menu, std::int32_t itemId, const Text& text, HANDLE image, HANDLE hotImage,
                           HANDLE disabledImage, std::intptr_t submenu);
// The item's text; "" when it is not found.
Text GetMenuItemTextEx(std::intptr_t menu, std::int32_t itemId);
// Flag 1 checked, 0x1000 the item's check flag, 2 a checked radio item of its group; 0 unchecked.
std::int32_t SetMenuItemState(std::intptr_t menu, std::int32_t itemId, std::uint32_t flags);
std::int32_t GetMenuItemChecked(std::intptr_t menu, std::int32_t itemId);
