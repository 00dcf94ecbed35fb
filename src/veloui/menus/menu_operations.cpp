#include "veloui/menus/menu_operations.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/host_handlers.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/popup_window.h"

namespace {

constexpr std::uint32_t kChecked = 1;
constexpr std::uint32_t kRadio = 2;
constexpr std::uint32_t kCheckFlag = 0x1000;

struct MenuOperationsState {
  std::int32_t LastRadioGroup = 0;
  HMENU LastRadioMenu = nullptr;  // the menu of the item made a radio item last
};
MenuOperationsState Operations;

bool Matches(const MenuRecord& record, std::intptr_t menu) {
  return record.Id == menu || (menu != 0 && (reinterpret_cast<std::intptr_t>(record.Handle) == menu ||
                                             reinterpret_cast<std::intptr_t>(record.Toolbar) == menu));
}

bool Holds(const MenuRecord& record, UINT id) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID;
  return record.Handle != nullptr && GetMenuItemInfoW(record.Handle, id, FALSE, &info);
}

// The first record matching `menu` whose menu (or a submenu of it) holds the command; the
// menu lock is held by the caller.
MenuRecord* RecordHolding(std::intptr_t menu, std::int32_t itemId) {
  for (MenuRecord& record : MenuList()) {
    if (Matches(record, menu) && Holds(record, static_cast<UINT>(itemId))) return &record;
  }
  return nullptr;
}

void ForgetRender(MenuRecord& record) {
  record.RenderWidth = 0;
  record.RenderHeight = 0;
}

// Toolbars of the menu bars, each once, with their style.
std::vector<std::pair<HWND, std::int32_t>> MenuBars(std::intptr_t menu, bool all) {
  std::vector<std::pair<HWND, std::int32_t>> bars;
  for (const MenuRecord& record : MenuList()) {
    if (record.IsPopup || record.Toolbar == nullptr || (!all && !Matches(record, menu))) continue;
    const bool seen = std::any_of(bars.begin(), bars.end(), [&](const auto& bar) { return bar.first == record.Toolbar; });
    if (!seen) bars.emplace_back(record.Toolbar, record.Style);
  }
  return bars;
}

// A new radio item joins the group of the radio item made before it when that one is of the
// same menu, wherever it stands there; otherwise it starts a group.
std::int32_t JoinRadioGroup(const MenuItemRecord& item) {
  if (Operations.LastRadioGroup == 0 || Operations.LastRadioMenu != item.MenuHandle) ++Operations.LastRadioGroup;
  Operations.LastRadioMenu = item.MenuHandle;
  return Operations.LastRadioGroup;
}

void UncheckGroup(const MenuItemRecord& item) {
  for (const MenuItemRecord& other : MenuItemList()) {
    if (&other == &item || other.MenuHandle != item.MenuHandle || other.IsRadio == 0 ||
        other.RadioGroup != item.RadioGroup) {
      continue;
    }
    CheckMenuItem(other.MenuHandle, static_cast<UINT>(other.Position), MF_BYPOSITION | MF_UNCHECKED);
  }
}

}  // namespace

std::int32_t SetMenuF10Disabled(bool disabled) {
  MenuTracking.F10Activates = !disabled;
  return 1;
}

std::int32_t SetMenuShortcutsDisabled(bool disabled) {
  ToolkitLockGuard lock(ToolkitLock::Shortcut);
  ShortcutSwitch.NoRegistration = disabled;
  return 1;
}

HFONT GetMenuFont() { return Toolkit.MenuFont; }

std::intptr_t GetSkinnedMenuHandle(std::intptr_t menuId) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (const MenuRecord& record : MenuList()) {
    if (record.Id != menuId) continue;
    if (record.IsPopup) return reinterpret_cast<std::intptr_t>(record.Handle);
    return reinterpret_cast<std::intptr_t>(record.Toolbar);
  }
  return 0;
}

std::int32_t GetMenuBarHeight(std::intptr_t menu) {
  HWND toolbar = nullptr;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (const MenuRecord* record = FindMenuRecord(menu)) toolbar = record->Toolbar;
  }
  RECT client{};
  if (toolbar == nullptr || !GetClientRect(toolbar, &client)) return 0;
  return client.bottom - client.top;
}

std::int32_t SetMenuStyle(std::intptr_t menu, std::uint32_t style) {
  std::vector<HMENU> handles;
  std::vector<std::pair<HWND, std::int32_t>> bars;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    for (MenuRecord& record : MenuList()) {
      if (!Matches(record, menu)) continue;
      record.Style = StoredMenuStyle(style);
      ForgetRender(record);
      handles.push_back(record.Handle);
    }
    bars = MenuBars(menu, false);
  }
  if (handles.empty()) return 0;
  for (HMENU handle : handles) SetAllMenuItemInfo(handle);
  for (const auto& [toolbar, barStyle] : bars) ResizeTitles(toolbar, barStyle);
  return 1;
}

std::int32_t SetMenuFont(HFONT font) {
  LOGFONTW description{};
  if (font == nullptr || GetObjectType(font) != OBJ_FONT || GetObjectW(font, sizeof(description), &description) == 0) {
    return 0;
  }
  HFONT copy = CreateFontIndirectW(&description);
  if (copy == nullptr) return 0;
  if (Toolkit.MenuFont != nullptr && Toolkit.MenuFont != GetStockObject(DEFAULT_GUI_FONT)) {
    DeleteObject(Toolkit.MenuFont);
  }
  Toolkit.MenuFont = copy;
  std::vector<HMENU> handles;
  std::vector<std::pair<HWND, std::int32_t>> bars;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    for (MenuRecord& record : MenuList()) {
      ForgetRender(record);
      if (record.Handle != nullptr) handles.push_back(record.Handle);
    }
    bars = MenuBars(0, true);
  }
  for (const auto& [toolbar, style] : bars) {
    ResizeTitles(toolbar, style);
    GrowBarBand(toolbar);
  }
  for (HMENU handle : handles) SetAllMenuItemInfo(handle);
  return 1;
}

std::int32_t SetMenuItemEx(std::intptr_t menu, std::int32_t itemId, const Text& text, HANDLE image, HANDLE hotImage,
                           HANDLE disabledImage, std::intptr_t submenu) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuRecord* record = RecordHolding(menu, itemId);
  MenuItemRecord* item = record != nullptr ? ItemRecordAt(record->Handle, static_cast<UINT>(itemId), false) : nullptr;
  if (item == nullptr) return 0;
  RegisterMenuShortcut(record->Window, -1, item->ItemText);
  item->ItemText = text;
  // A disabled item's shortcut waits until the item is enabled again (SetMenuItemDisabled).
  const UINT state = GetMenuState(item->MenuHandle, static_cast<UINT>(itemId), MF_BYCOMMAND);
  if (state != static_cast<UINT>(-1) && (state & (MFS_DISABLED | MFS_GRAYED)) == 0) {
    RegisterMenuShortcut(record->Window, itemId, text);
  }
  if (item->ImageList != nullptr) ImageList_Destroy(item->ImageList);
  item->ImageList = nullptr;
  item->HasImage = item->HasHotImage = item->HasDisabledImage = false;
  StoreItemImages(*item, image, hotImage, disabledImage);
  HMENU opens = nullptr;
  if (submenu != 0) {
    opens = IsMenu(reinterpret_cast<HMENU>(submenu)) ? reinterpret_cast<HMENU>(submenu) : nullptr;
    if (const MenuRecord* target = opens == nullptr ? FindMenuRecord(submenu) : nullptr) opens = target->Handle;
  }
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  // A text given to a separator makes it an item again, and an item left without text a separator.
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(item->MenuHandle, static_cast<UINT>(itemId), FALSE, &info);
  info.fType = (info.fType & ~static_cast<UINT>(MFT_OWNERDRAW | MFT_SEPARATOR)) | ItemMenuType(*item);
  info.fMask = MIIM_FTYPE | MIIM_DATA | (IsSeparatorItem(*item) ? 0 : MIIM_STRING) |
               (opens != nullptr ? MIIM_SUBMENU : 0);
  info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
  info.dwTypeData = WideBuffer(item->ItemText);
  info.cch = static_cast<UINT>(item->ItemText.size());
  info.hSubMenu = opens;
  HMENU handle = item->MenuHandle;
  ForgetRender(*record);
  ReleaseToolkitLock(ToolkitLock::Menu);
  const BOOL updated = SetMenuItemInfoW(handle, static_cast<UINT>(itemId), FALSE, &info);
  TakeToolkitLock(ToolkitLock::Menu);
  return updated ? 1 : 0;
}

Text GetMenuItemTextEx(std::intptr_t menu, std::int32_t itemId) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  int matches = 0;
  for (const MenuRecord& record : MenuList()) {
    if (Matches(record, menu) && Holds(record, static_cast<UINT>(itemId))) ++matches;
  }
  if (matches > 1) WriteDebugLog(u"several menus hold item " + DecimalText(itemId));
  const MenuRecord* record = RecordHolding(menu, itemId);
  const MenuItemRecord* item = record != nullptr ? ItemRecordAt(record->Handle, static_cast<UINT>(itemId), false) : nullptr;
  return item != nullptr ? item->ItemText : Text();
}

std::int32_t SetMenuItemState(std::intptr_t menu, std::int32_t itemId, std::uint32_t flags) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuRecord* record = RecordHolding(menu, itemId);
  MenuItemRecord* item = record != nullptr ? ItemRecordAt(record->Handle, static_cast<UINT>(itemId), false) : nullptr;
  if (item == nullptr) return 0;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  if (!GetMenuItemInfoW(item->MenuHandle, static_cast<UINT>(itemId), FALSE, &info)) return 0;
  item->CheckFlag = (flags & kCheckFlag) != 0 ? 1 : 0;
  const bool radio = (flags & kRadio) != 0;
  if (radio) {
    if (item->IsRadio == 0) item->RadioGroup = JoinRadioGroup(*item);
    item->IsRadio = 1;
    info.fType |= MFT_RADIOCHECK;
    UncheckGroup(*item);
  }
  if (radio || (flags & kChecked) != 0) {
    info.fState |= MFS_CHECKED;
  } else {
    info.fState &= ~static_cast<UINT>(MFS_CHECKED);
  }
  ForgetRender(*record);
  return SetMenuItemInfoW(item->MenuHandle, static_cast<UINT>(itemId), FALSE, &info) ? 1 : 0;
}

std::int32_t GetMenuItemChecked(std::intptr_t menu, std::int32_t itemId) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  const MenuRecord* record = RecordHolding(menu, itemId);
  if (record == nullptr) return 0;
  const UINT state = GetMenuState(record->Handle, static_cast<UINT>(itemId), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MFS_CHECKED) != 0 ? 1 : 0;
}
