#include "veloui/menus/menus.h"

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_images.h"
#include "veloui/menus/menu_objects.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/toolbars.h"

namespace {

void ForgetRender(MenuRecord& menu) {
  menu.RenderWidth = 0;
  menu.RenderHeight = 0;
}

bool AnyMenuHoldsCommand(UINT id) {
  for (const MenuRecord& menu : MenuList()) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    if (menu.Handle != nullptr && GetMenuItemInfoW(menu.Handle, id, FALSE, &info)) return true;
  }
  return false;
}

std::int32_t FreshAutomaticId() {
  UINT id = NextAutoCommandID();
  // Bounded: at most one pass through the whole 16-bit range.
  for (int tries = 0; tries < 0x10000 && AnyMenuHoldsCommand(id); ++tries) id = NextAutoCommandID();
  return static_cast<std::int32_t>(id);
}

// A menu handle may have its top bit set: only 0 means no submenu.
HMENU SubmenuHandle(std::intptr_t submenu) {
  if (submenu == 0) return nullptr;
  HMENU asHandle = reinterpret_cast<HMENU>(submenu);
  if (IsMenu(asHandle)) return asHandle;
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Id == submenu) return menu.Handle;
  }
  return nullptr;
}

void DropItemRecord(MenuItemRecord* item) {
  if (item->ImageList != nullptr) ImageList_Destroy(item->ImageList);
  MenuItemList().remove_if([item](const MenuItemRecord& record) { return &record == item; });
}

// The item's Windows menu entry: owner-drawn, its record as item data, its text as string
// (a separator has none to give).
bool InsertWindowsItem(HMENU menu, int position, UINT id, MenuItemRecord& item, HMENU submenu) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | (IsSeparatorItem(item) ? 0 : MIIM_STRING) |
               (submenu != nullptr ? MIIM_SUBMENU : 0);
  info.fType = ItemMenuType(item);
  info.wID = id;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
  info.dwTypeData = WideBuffer(item.ItemText);
  info.cch = static_cast<UINT>(item.ItemText.size());
  info.hSubMenu = submenu;
  const UINT at = position < 0 ? static_cast<UINT>(-1) : static_cast<UINT>(position);
  return InsertMenuItemW(menu, at, TRUE, &info) != 0;
}

void RenumberItems(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (MenuItemRecord* item = ItemRecordAt(menu, static_cast<UINT>(position), true)) item->Position = position;
  }
}

// Adds one item (or, with empty text and id 0, a separator) to `menu`. The lock is held on
// entry and on return; it is let go around the Windows insertion, which may re-enter.
std::int32_t AddItemTo(MenuRecord& menu, int position, std::int32_t id, const Text& text, HANDLE image,
                       HANDLE hotImage, HANDLE disabledImage, HMENU submenu, std::int32_t kind, bool separator) {
  ForgetRender(menu);
  bool automatic = false;
  if (!separator && id == -1) {
    id = FreshAutomaticId();
    automatic = true;
  }
  const int count = GetMenuItemCount(menu.Handle);
  MenuItemRecord& item = MenuItemList().emplace_back();
  item.Menu = &menu;
  item.MenuHandle = menu.Handle;
  item.ItemText = text;
  item.Position = position < 0 || position > count ? count : position;
  item.ImageWidth = MenuBuilder.ImageWidth;
  item.ImageHeight = MenuBuilder.ImageHeight;
  item.Kind = kind;
  if (!separator) {
    item.Style = menu.Style;
    StoreItemImages(item, image, hotImage, disabledImage);
  }
  HMENU handle = menu.Handle;
  HWND window = menu.Window;
  ReleaseToolkitLock(ToolkitLock::Menu);
  const bool inserted = InsertWindowsItem(handle, position, separator ? 0 : static_cast<UINT>(id), item, submenu);
  TakeToolkitLock(ToolkitLock::Menu);
  if (!inserted) {
    WriteDebugLog(u"failed on: " + text);
    DropItemRecord(&item);
    return 0;
  }
  if (position >= 0) RenumberItems(handle);
  // Only an item that exists may answer a shortcut.
  if (!separator) RegisterMenuShortcut(window, id, text);
  if (separator) return 0;
  return automatic ? id : 1;
}

// The first record matching `menu` whose Windows menu (or a submenu of it) holds the command.
MenuRecord* MenuHoldingCommand(std::intptr_t menu, UINT id) {
  for (MenuRecord& record : MenuList()) {
    const bool matches = record.Id == menu || (menu != 0 && (reinterpret_cast<std::intptr_t>(record.Handle) == menu ||
                                                             reinterpret_cast<std::intptr_t>(record.Toolbar) == menu));
    if (!matches || record.Handle == nullptr) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    if (GetMenuItemInfoW(record.Handle, id, FALSE, &info)) return &record;
  }
  return nullptr;
}

int PositionOfCommand(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (GetMenuItemID(menu, position) == id) return position;
  }
  return -1;
}

void ForgetMenuRecord(MenuRecord* menu) {
  MenuList().remove_if([menu](const MenuRecord& record) { return &record == menu; });
}

void FreeOneMenu(MenuRecord& menu) {
  if (menu.Toolbar != nullptr) FreeSkinnedToolbar(reinterpret_cast<std::intptr_t>(menu.Toolbar));
  if (menu.Handle != nullptr) {
    const auto handle = reinterpret_cast<std::intptr_t>(menu.Handle);
    const int count = GetMenuItemCount(menu.Handle);
    for (int removed = 0; removed < count && RemoveMenuItems(handle, 0, true) != 0; ++removed) {
    }
  }
  if (PopupMenuObjectExists(menu.MenuObject)) FreePopupMenuObject(menu.MenuObject);
  MenuItemList().remove_if([&menu](const MenuItemRecord& item) {
    if (item.Menu != &menu) return false;
    if (item.ImageList != nullptr) ImageList_Destroy(item.ImageList);
    return true;
  });
  if (menu.RenderBitmap != nullptr) DeleteObject(menu.RenderBitmap);
  if (menu.RenderDC != nullptr) DeleteDC(menu.RenderDC);
  if (MenuBuilder.CurrentHandle == menu.Handle) MenuBuilder.CurrentHandle = nullptr;
}

}  // namespace

// Index 0 normal, 1 hot (or the normal again), 2 disabled (or the style-adapted normal).
void StoreItemImages(MenuItemRecord& item, HANDLE image, HANDLE hotImage, HANDLE disabledImage) {
  if (image == nullptr) return;
  HIMAGELIST list = ImageList_Create(item.ImageWidth, item.ImageHeight, ILC_COLOR32 | ILC_MASK, 0, 0);
  if (list == nullptr) return;
  item.ImageList = list;
  item.HasImage = AppendImage(list, image) >= 0;
  item.HasHotImage = hotImage != nullptr && AppendImage(list, hotImage) >= 0;
  if (!item.HasHotImage) AppendImage(list, image);
  item.HasDisabledImage = disabledImage != nullptr && AppendImage(list, disabledImage) >= 0;
  if (!item.HasDisabledImage) {
    HICON derived = MakeStyleIcon(image, item.Style);
    AppendImage(list, derived);
    if (derived != nullptr) DestroyIcon(derived);
  }
}

MenuItemRecord* ItemRecordAt(HMENU menu, UINT item, bool byPosition) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  if (!GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) || info.dwItemData == 0) return nullptr;
  // Only records of our own lists are trusted; other item data is not ours.
  for (MenuItemRecord& record : MenuItemList()) {
    if (reinterpret_cast<ULONG_PTR>(&record) == info.dwItemData) return &record;
  }
  return nullptr;
}

std::int32_t AddMenuItem(std::int32_t id, const Text& text, HANDLE image, HANDLE hotImage, HANDLE disabledImage,
                         std::intptr_t submenu) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (MenuRecord& menu : MenuList()) {
    if (menu.Id == MenuBuilder.CurrentMenuId && menu.Handle == MenuBuilder.CurrentHandle && menu.Handle != nullptr) {
      return AddItemTo(menu, -1, id, text, image, hotImage, disabledImage, SubmenuHandle(submenu), 0, false);
    }
  }
  return 0;
}

std::int32_t AddMenuSeparator() {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (MenuRecord& menu : MenuList()) {
    if (menu.Id == MenuBuilder.CurrentMenuId && menu.Handle == MenuBuilder.CurrentHandle && menu.Handle != nullptr) {
      AddItemTo(menu, -1, 0, Text(), nullptr, nullptr, nullptr, nullptr, 0, true);
      return 0;
    }
  }
  return 0;
}

std::int32_t AddSubMenuItem(std::intptr_t menu, int position, std::int32_t id, const Text& text, HANDLE image,
                            HANDLE hotImage, HANDLE disabledImage, std::intptr_t submenu, std::int32_t kind) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuRecord* record = FindMenuRecord(menu);
  if (record == nullptr || record->Handle == nullptr) return 0;
  return AddItemTo(*record, position < 0 ? -1 : position, id, text, image, hotImage, disabledImage,
                   SubmenuHandle(submenu), kind, false);
}

std::int32_t SetMenuItemDisabled(std::intptr_t menu, std::int32_t itemId, bool disabled) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuRecord* record = MenuHoldingCommand(menu, static_cast<UINT>(itemId));
  if (record == nullptr) return 0;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_DATA;
  if (!GetMenuItemInfoW(record->Handle, static_cast<UINT>(itemId), FALSE, &info)) return 0;
  const MenuItemRecord* item = ItemRecordAt(record->Handle, static_cast<UINT>(itemId), false);
  const Text text = item != nullptr ? item->ItemText : Text();
  if (disabled) {
    info.fState |= MFS_DISABLED | MFS_GRAYED;
    RegisterMenuShortcut(record->Window, -1, text);
  } else {
    info.fState &= ~static_cast<UINT>(MFS_DISABLED | MFS_GRAYED);
    RegisterMenuShortcut(record->Window, itemId, text);
  }
  info.fMask = MIIM_STATE;
  if (!SetMenuItemInfoW(record->Handle, static_cast<UINT>(itemId), FALSE, &info)) return 0;
  ForgetRender(*record);
  return 1;
}

std::int32_t RemoveMenuItems(std::intptr_t menu, std::int32_t item, bool byPosition) {
  TakeToolkitLock(ToolkitLock::Menu);
  MenuRecord* record =
      byPosition ? FindMenuRecord(menu) : MenuHoldingCommand(menu, static_cast<UINT>(item));
  int position = -1;
  if (record != nullptr && record->Handle != nullptr) {
    position = byPosition ? item : PositionOfCommand(record->Handle, static_cast<UINT>(item));
  }
  if (position < 0 || position >= GetMenuItemCount(record->Handle)) {
    ReleaseToolkitLock(ToolkitLock::Menu);
    return 0;
  }
  HMENU handle = record->Handle;
  MenuItemRecord* itemRecord = ItemRecordAt(handle, static_cast<UINT>(position), true);
  if (itemRecord != nullptr && itemRecord->ImageList != nullptr) {
    ImageList_Destroy(itemRecord->ImageList);
    itemRecord->ImageList = nullptr;
  }
  ReleaseToolkitLock(ToolkitLock::Menu);
  const BOOL removed = RemoveMenu(handle, static_cast<UINT>(position), MF_BYPOSITION);
  TakeToolkitLock(ToolkitLock::Menu);
  if (itemRecord != nullptr) {
    RegisterMenuShortcut(record->Window, -1, itemRecord->ItemText);
    DropItemRecord(itemRecord);
  }
  RenumberItems(handle);
  ForgetRender(*record);
  ReleaseToolkitLock(ToolkitLock::Menu);
  return removed;
}

std::int32_t FreeSkinnedMenu(std::intptr_t menu) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  if (menu == -1) {
    while (!MenuList().empty()) {
      MenuRecord* first = &MenuList().front();
      FreeOneMenu(*first);
      ForgetMenuRecord(first);
    }
    MenuBuilder.CurrentMenuId = -1;
    MenuBuilder.CurrentHandle = nullptr;
    return 1;
  }
  MenuRecord* record = FindMenuRecord(menu);
  if (record == nullptr) return 0;
  FreeOneMenu(*record);
  ForgetMenuRecord(record);
  return 1;
}
