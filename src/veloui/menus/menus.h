#pragma once
// The toolkit's menus: a menu bar (a skinned toolbar whose buttons are the titles, each
// dropping down an ordinary popup menu) and popup menus, all with owner-drawn items that
// carry their record as item data, up to three images and a shortcut in their text.
// Building follows the current menu: CreateMenuBar and CreateSkinnedPopupMenu make theirs
// current, AddMenuTitle makes its drop-down current, and items go to the current one.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "runtime/portable/text.h"

struct MenuRecord {
  std::intptr_t Id = 0;         // the titles of one menu bar share the bar's number
  HWND Window = nullptr;        // the window carrying the menu bar; nullptr for popup menus
  HWND Toolbar = nullptr;       // the menu bar's toolbar; nullptr for popup menus
  HMENU Handle = nullptr;       // the popup (or a title's drop-down); nullptr in a placeholder
  std::int32_t MenuObject = 0;  // the popup-menu object owning Handle
  int TitleIndex = -1;          // the title's button on the bar; -1 for popups and placeholders
  bool IsPopup = false;
  bool Inactive = false;
  bool Scrolling = false;
  std::int32_t Style = 0;       // 5 Whidbey, 6 Office 2003, 0x2000000 Office 2007
  int Width = 0;
  int Height = 0;
  bool Tracking = false;
  bool Open = false;
  HDC RenderDC = nullptr;
  HBITMAP RenderBitmap = nullptr;
  int RenderWidth = 0;          // the cached image is used only while it matches Width x Height
  int RenderHeight = 0;
};

struct MenuItemRecord {
  MenuRecord* Menu = nullptr;
  HMENU MenuHandle = nullptr;
  Text ItemText;                // "" for a separator
  int Position = 0;
  bool HasImage = false;
  bool HasHotImage = false;
  bool HasDisabledImage = false;
  std::int32_t Style = 0;
  HIMAGELIST ImageList = nullptr;  // 0 normal, 1 hot, 2 disabled
  int ImageHeight = 0;
  int ImageWidth = 0;
  std::uint8_t CheckFlag = 0;
  std::uint8_t IsRadio = 0;
  std::int32_t RadioGroup = 0;
  std::int32_t Kind = 0;        // 0, or -1 bottom arrow, -2 top arrow, -3 spacer of a scrollable copy
};

std::int32_t SetMenuImageSize(int width, int height);
// The new number for id -1, otherwise the bar's toolbar window; 0 when the id is taken or
// the toolbar cannot be made.
std::intptr_t CreateMenuBar(std::intptr_t id, HWND window, std::uint32_t style);
// The popup's menu handle; nullptr when the id is taken or no menu could be made.
HMENU CreateSkinnedPopupMenu(std::intptr_t id, std::uint32_t style);
std::int32_t AddMenuTitle(const Text& text);
// The id when it was automatic (-1), else 1; 0 when nothing was added.
std::int32_t AddMenuItem(std::int32_t id, const Text& text, HANDLE image, HANDLE hotImage, HANDLE disabledImage,
                         std::intptr_t submenu);
std::int32_t AddMenuSeparator();
std::int32_t SetMenuItemDisabled(std::intptr_t menu, std::int32_t itemId, bool disabled);
std::int32_t RemoveMenuItems(std::intptr_t menu, std::int32_t item, bool byPosition);
// One record (one title of a bar per call), or -1 for all.
std::int32_t FreeSkinnedMenu(std::intptr_t menu);
// Inserts into any menu at `position` (-1 or less appends); `submenu` as in AddMenuItem,
// whatever its value, and `kind` the item's Kind (a special row of a scrollable copy).
std::int32_t AddSubMenuItem(std::intptr_t menu, int position, std::int32_t id, const Text& text, HANDLE image,
                            HANDLE hotImage, HANDLE disabledImage, std::intptr_t submenu, std::int32_t kind = 0);

// The record whose Id, Handle or Toolbar is `menu` (first in list order); take the menu lock.
MenuRecord* FindMenuRecord(std::intptr_t menu);
// No current menu, images 16 x 16 (toolkit start-up and tests).
void ResetMenuBuilderState();
