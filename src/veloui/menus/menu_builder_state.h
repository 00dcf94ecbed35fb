#pragma once
// What the menu-building operations share: the current menu, the image size for new items
// and the two record lists. Guarded by the toolkit's menu lock.
#include <windows.h>

#include <cstdint>

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/menus.h"

struct MenuBuilderState {
  std::intptr_t CurrentMenuId = -1;
  HMENU CurrentHandle = nullptr;
  int ImageWidth = 16;
  int ImageHeight = 16;
};
extern MenuBuilderState MenuBuilder;

inline ToolkitRecordList<MenuRecord>& MenuList() { return ToolkitList<MenuRecord>(ToolkitListId::Menus); }
inline ToolkitRecordList<MenuItemRecord>& MenuItemList() {
  return ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems);
}

// 0x1000000 (UISTYLE_OFFICE2003) is kept as 6 in menu records.
std::int32_t StoredMenuStyle(std::uint32_t style);
// The item's image list made from the images given, as AddMenuItem makes it.
void StoreItemImages(MenuItemRecord& item, HANDLE image, HANDLE hotImage, HANDLE disabledImage);
// The item record a Windows menu item carries as its data, or nullptr.
MenuItemRecord* ItemRecordAt(HMENU menu, UINT item, bool byPosition);
// An ordinary row without text is a separator line, whatever its command id: the system
// is told so (MFT_SEPARATOR beside MFT_OWNERDRAW), so that no click and no arrow key ever
// stops on it, while its drawing and measuring stay the toolkit's. The special rows of a
// scrollable copy have no text either but are rows the selection lands on.
inline bool IsSeparatorItem(const MenuItemRecord& item) { return item.Kind == 0 && item.ItemText.empty(); }
inline UINT ItemMenuType(const MenuItemRecord& item) {
  return MFT_OWNERDRAW | (IsSeparatorItem(item) ? MFT_SEPARATOR : 0u);
}
