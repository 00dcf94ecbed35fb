#pragma once
// Measuring owner-drawn menu items (for WM_MEASUREITEM) and whole popup menus (before one
// opens) in the toolkit's menu font.
#include <windows.h>

#include "veloui/menus/menus.h"

// Heights of the special rows of a scrollable copy of an over-long menu; the copy sets them.
struct MenuScrollRowHeights {
  int SpacerHeight = 7;
  int ArrowHeight = 0;
};
extern MenuScrollRowHeights MenuScrollRows;

int MeasureMenuItemWidth(const MenuItemRecord* item);
int MeasureMenuItemHeight(HDC dc, const MenuItemRecord* item);
// Both store their result into the Height or Width of the menu's record; 0 for a handle
// that is no menu.
int MeasurePopupMenuHeight(HMENU menu);
int MeasurePopupMenuWidth(HMENU menu);
