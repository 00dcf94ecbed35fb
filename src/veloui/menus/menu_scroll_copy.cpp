// Building a scrollable copy, laying its rows out for a view, showing it again where the
// platform does not lay out a shown popup, its mnemonics, and freeing it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/menus/core/item_text.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/core/shortcut_keys.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_measuring.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/popup_window.h"

MenuScrollState MenuScroll;

namespace {

constexpr std::int32_t kTopArrowCommand = static_cast<std::int32_t>(0xFFFFCBC2u);
constexpr std::int32_t kBottomArrowCommand = static_cast<std::int32_t>(0xFFFFCBC3u);
constexpr std::int32_t kSpacerCommand = static_cast<std::int32_t>(0xFFFFCBC6u);
constexpr UINT kStepRedraw = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_NOERASE | RDW_UPDATENOW;  // 0x123
// The items at once, the frame left alone: the copy's outer height never changes.
constexpr UINT kRebuildRedraw = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW;  // 0x103

int SourceCount() { return static_cast<int>(MenuScroll.ItemHeights.size()); }
std::intptr_t CopyId() { return reinterpret_cast<std::intptr_t>(MenuTracking.CopyMenu); }

// The copy's items must not answer the source items' shortcuts a second time, nor take
// them away when they go.
class NoShortcuts {
 public:
  NoShortcuts() : saved_(ShortcutSwitch.NoRegistration) { ShortcutSwitch.NoRegistration = true; }
  ~NoShortcuts() { ShortcutSwitch.NoRegistration = saved_; }
  NoShortcuts(const NoShortcuts&) = delete;
  NoShortcuts& operator=(const NoShortcuts&) = delete;

 private:
  bool saved_;
};

HICON IconOf(HIMAGELIST list, int index, bool stored) {
  return list != nullptr && stored ? ImageList_GetIcon(list, index, ILD_NORMAL) : nullptr;
}

UINT TypeAt(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info.fType;
}

// The source item at `source` goes to `position` of the copy with its text, its images
// (duplicated), its state and its kind of mark (radio or check).
void InsertSourceItem(int source, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
  GetMenuItemInfoW(MenuScroll.SourceMenu, static_cast<UINT>(source), TRUE, &info);
  Text text;
  HICON icons[3] = {};
  MenuItemRecord marks;  // only its marks are taken over
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (const MenuItemRecord* item = ItemRecordAt(MenuScroll.SourceMenu, static_cast<UINT>(source), true)) {
      text = item->ItemText;
      icons[0] = IconOf(item->ImageList, 0, item->HasImage);
      icons[1] = IconOf(item->ImageList, 1, item->HasImage && item->HasHotImage);
      icons[2] = IconOf(item->ImageList, 2, item->HasImage && item->HasDisabledImage);
      marks.CheckFlag = item->CheckFlag;
      marks.IsRadio = item->IsRadio;
      marks.RadioGroup = item->RadioGroup;
    }
  }
  AddSubMenuItem(CopyId(), position, static_cast<std::int32_t>(info.wID), text, icons[0], icons[1], icons[2],
                 reinterpret_cast<std::intptr_t>(info.hSubMenu));
  for (HICON icon : icons) {
    if (icon != nullptr) DestroyIcon(icon);
  }
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (MenuItemRecord* copied = ItemRecordAt(MenuTracking.CopyMenu, static_cast<UINT>(position), true)) {
      copied->CheckFlag = marks.CheckFlag;
      copied->IsRadio = marks.IsRadio;
      copied->RadioGroup = marks.RadioGroup;
    }
  }
  MENUITEMINFOW state{};
  state.cbSize = sizeof(state);
  state.fMask = MIIM_STATE | MIIM_FTYPE;
  state.fState = info.fState & ~static_cast<UINT>(MFS_HILITE);
  state.fType = (TypeAt(MenuTracking.CopyMenu, position) & ~static_cast<UINT>(MFT_RADIOCHECK)) |
                (info.fType & MFT_RADIOCHECK);
  SetMenuItemInfoW(MenuTracking.CopyMenu, static_cast<UINT>(position), TRUE, &state);
}

void InsertRow(int row, int position) {
  const int count = SourceCount();
  if (row >= 0 && row < count) {
    InsertSourceItem(row, position);
    return;
  }
  const bool spacer = row == kRowTopSpacer || row == RowBottomSpacer(count);
  const std::int32_t id = spacer ? kSpacerCommand : row == kRowTopArrow ? kTopArrowCommand : kBottomArrowCommand;
  const std::int32_t kind = spacer ? kMenuItemSpacer : row == kRowTopArrow ? kMenuItemTopArrow : kMenuItemBottomArrow;
  AddSubMenuItem(CopyId(), position, id, Text(), nullptr, nullptr, nullptr, 0, kind);
}

// Makes the copy's rows those of `wanted`: both lists run down the menu in key order, so one
// merge removes what goes and inserts what comes, and keeps the rows that stay.
void SyncRows(const std::vector<int>& wanted) {
  const std::vector<int>& rows = MenuScroll.Rows;
  std::size_t have = 0;
  std::size_t want = 0;
  int position = 0;
  while (have < rows.size() || want < wanted.size()) {
    if (have < rows.size() && want < wanted.size() && rows[have] == wanted[want]) {
      ++have;
      ++want;
      ++position;
    } else if (want >= wanted.size() || (have < rows.size() && rows[have] < wanted[want])) {
      RemoveMenuItems(CopyId(), position, true);
      ++have;
    } else {
      InsertRow(wanted[want], position);
      ++want;
      ++position;
    }
  }
  MenuScroll.Rows = wanted;
}

// The spacer kept its row but not its height: the system measures it again.
void RemeasureSpacer() {
  const int count = GetMenuItemCount(MenuTracking.CopyMenu);
  for (int position = 0; position < count; ++position) {
    if (CopyRowKind(position) != kMenuItemSpacer) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    SetMenuItemInfoW(MenuTracking.CopyMenu, static_cast<UINT>(position), TRUE, &info);
  }
}

int HilitedPosition() {
  const int count = GetMenuItemCount(MenuTracking.CopyMenu);
  for (int position = 0; position < count; ++position) {
    const UINT state = GetMenuState(MenuTracking.CopyMenu, static_cast<UINT>(position), MF_BYPOSITION);
    if (state != static_cast<UINT>(-1) && (state & MF_HILITE) != 0) return position;
  }
  return -1;
}

// Where the row selected at `selected` stands after the rows changed from `before`: a held
// arrow stays selected however many rows (separators are low) come and go in front of it. A
// row that went leaves the selection where it was.
int PositionAfterSync(int selected, const std::vector<int>& before) {
  if (selected < 0 || selected >= static_cast<int>(before.size())) return selected;
  const auto at = std::find(MenuScroll.Rows.begin(), MenuScroll.Rows.end(), before[static_cast<std::size_t>(selected)]);
  return at != MenuScroll.Rows.end() ? static_cast<int>(at - MenuScroll.Rows.begin()) : selected;
}

// Wine lays out a popup only when it is shown: rows inserted later have an empty rectangle
// (and the others keep their old ones). The copy is then shown again, at the same place and
// with the selection at `selection`, once its menu loop has ended; edits until then move that
// selection with its row.
void ReshowWhereNotLaidOut(int selection) {
  if (MenuScroll.ReshowPending) MenuScroll.ReshowSelection = selection;
  if (MenuTracking.CopyWindow == nullptr || MenuScroll.ReshowPending) return;
  UpdateWindow(MenuTracking.CopyWindow);  // a platform that lays out lazily does it on this paint
  const int count = GetMenuItemCount(MenuTracking.CopyMenu);
  bool stale = false;
  for (int position = 0; position < count && !stale; ++position) {
    RECT rect{};
    stale = GetMenuItemRect(nullptr, MenuTracking.CopyMenu, static_cast<UINT>(position), &rect) && IsRectEmpty(&rect);
  }
  if (!stale) return;
  MenuScroll.ReshowPending = true;
  MenuScroll.ReshowSelection = selection;
  EndMenu();
}

MenuRecord* RecordOfHandle(HMENU menu) {
  for (MenuRecord& record : MenuList()) {
    if (record.Handle == menu) return &record;
  }
  return nullptr;
}

// The title whose menu the copy shows, looked up again: a command handler (sent while the copy
// is open) may have freed or rebuilt the bar. nullptr when it is gone; take the menu lock.
MenuRecord* CopyTitle() {
  MenuRecord* title = MenuScroll.SourceMenu != nullptr ? RecordOfHandle(MenuScroll.SourceMenu) : nullptr;
  return title != nullptr && title == MenuScroll.Title ? title : nullptr;
}

// The system's menu loop keeps the index of its selected row, not the row, and reads the row at
// that index again when the selection next moves, the menu closes or the copy shows again.
// Rows going would leave that index past the end of the shorter list, where the loop would
// write. Before the rows change, the selection is therefore moved to an index that holds in both
// lists: where its row will stand, or else the new last row. Returns that index, or -1 when the
// rows do not shrink or the copy is not on screen: no selection can be moved then, so its rows
// change only while it shows (or before it first shows, with no selection yet).
int MoveSelectionInside(int selected, const std::vector<int>& before, const std::vector<int>& after) {
  HMENU copy = MenuTracking.CopyMenu;
  const int count = GetMenuItemCount(copy);
  if (MenuTracking.CopyWindow == nullptr || after.empty() || static_cast<int>(after.size()) >= count) return -1;
  int target = static_cast<int>(after.size()) - 1;
  if (selected >= 0 && selected < static_cast<int>(before.size())) {
    const auto at = std::find(after.begin(), after.end(), before[static_cast<std::size_t>(selected)]);
    if (at != after.end()) target = static_cast<int>(at - after.begin());
  }
  // Both, whatever the highlight says: a platform's popup either takes MN_SELECTITEM or moves
  // its selection on HiliteMenuItem (Wine), and an index that is highlighted need not be the
  // one the loop holds.
  SendMessageW(MenuTracking.CopyWindow, kMenuSelectItemMessage, static_cast<WPARAM>(target), 0);
  HWND owner = nullptr;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (const MenuRecord* title = CopyTitle()) owner = title->Window;
  }
  if (owner != nullptr) HiliteMenuItem(owner, copy, static_cast<UINT>(target), MF_BYPOSITION | MF_HILITE);
  return target;
}

// The highlight travels with its row while the rows around it change; the loop's index does not.
// Only the row at `position` keeps it.
void HighlightOnly(int position) {
  const int count = GetMenuItemCount(MenuTracking.CopyMenu);
  for (int k = 0; k < count; ++k) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(MenuTracking.CopyMenu, static_cast<UINT>(k), TRUE, &info)) continue;
    const bool lit = (info.fState & MFS_HILITE) != 0;
    if (lit == (k == position)) continue;
    info.fState ^= MFS_HILITE;
    SetMenuItemInfoW(MenuTracking.CopyMenu, static_cast<UINT>(k), TRUE, &info);
  }
}

// Heights of the source items, the arrows and the frame, in the title's style.
void MeasureSource(HMENU source, int count) {
  MenuScroll.ItemHeights.assign(static_cast<std::size_t>(count), 0);
  MenuScroll.ArrowHeight = 0;
  int widest = 0;
  int items = 0;
  HDC dc = CreateCompatibleDC(nullptr);
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    for (int position = 0; position < count; ++position) {
      const MenuItemRecord* item = ItemRecordAt(source, static_cast<UINT>(position), true);
      const int height = MeasureMenuItemHeight(dc, item);
      MenuScroll.ItemHeights[static_cast<std::size_t>(position)] = height;
      items += height;
      if (MenuScroll.ArrowHeight == 0 && item != nullptr && !item->ItemText.empty()) MenuScroll.ArrowHeight = height;
      widest = std::max(widest, MeasureMenuItemWidth(item));
    }
  }
  DeleteDC(dc);
  MenuScroll.Frame = MeasurePopupMenuHeight(source) - items;
  MenuTracking.CopyItemWidth = widest;
}

void NoteMnemonics(int last) {
  MenuScroll.Keys.clear();
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (int position = 0; position <= last; ++position) {
    const MenuItemRecord* item = ItemRecordAt(MenuScroll.SourceMenu, static_cast<UINT>(position), true);
    if (item == nullptr) continue;
    const Text label = SplitItemText(item->ItemText).Label;
    const char16_t key = CopyMnemonic(label.data(), label.size());
    const UINT id = GetMenuItemID(MenuScroll.SourceMenu, position);
    if (key != 0) MenuScroll.Keys.push_back({key, static_cast<std::int32_t>(id)});
  }
}

// The selection is counted in the rows the copy holds after the scroll.
void RunKeyboardCopyScroll(const CopyScroll& scroll) {
  MenuScrollThread(scroll.Mode);
  const int selectPosition = CopyScrollSelection(scroll, static_cast<int>(MenuScroll.Rows.size()));
  if (MenuScroll.ReshowPending) {
    MenuScroll.ReshowSelection = selectPosition;
  } else {
    SelectCopyPosition(selectPosition);
  }
}

}  // namespace

std::int32_t CopyRowKind(int position) {
  const UINT id = GetMenuItemID(MenuTracking.CopyMenu, position);
  if (id == static_cast<UINT>(kTopArrowCommand)) return kMenuItemTopArrow;
  if (id == static_cast<UINT>(kBottomArrowCommand)) return kMenuItemBottomArrow;
  if (id == static_cast<UINT>(kSpacerCommand)) return kMenuItemSpacer;
  return 0;
}

int CopyRowPosition(int row) {
  const auto at = std::find(MenuScroll.Rows.begin(), MenuScroll.Rows.end(), row);
  return at != MenuScroll.Rows.end() ? static_cast<int>(at - MenuScroll.Rows.begin()) : -1;
}

CopyGeometry CurrentCopyGeometry() {
  return {MenuScroll.ItemHeights, MenuScroll.ArrowHeight, MenuScroll.Frame, MenuScroll.CopyHeight};
}

void ApplyCopyView(const CopyView& view, bool rebuild) {
  if (MenuTracking.CopyMenu == nullptr) return;
  HWND window = MenuTracking.CopyWindow;
  const bool spacerChanged = view.SpacerHeight != MenuScroll.View.SpacerHeight;
  const int selected = MenuScroll.ReshowPending ? MenuScroll.ReshowSelection : HilitedPosition();
  const std::vector<int> before = MenuScroll.Rows;
  const std::vector<int> after = CopyRows(view, SourceCount());
  // A held arrow's scroll keeps the copy frozen from its first step to its last; an edit of
  // its own (a keyboard step, a rebuild) freezes it only while it lasts.
  const bool ownFreeze = !MenuScroll.ThreadActive;
  if (ownFreeze) MenuScroll.Running = true;
  MenuTracking.CopyRebuilding = true;
  if (window != nullptr) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  const int kept = MoveSelectionInside(selected, before, after);
  MenuScrollRows.SpacerHeight = view.SpacerHeight;
  MenuScrollRows.ArrowHeight = MenuScroll.ArrowHeight;
  {
    NoShortcuts quiet;
    SyncRows(after);
  }
  if (kept >= 0) HighlightOnly(kept);
  if (spacerChanged) RemeasureSpacer();
  MenuScroll.View = view;
  MenuTracking.CopyRebuilding = false;
  if (window != nullptr) {
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, rebuild ? kRebuildRedraw : kStepRedraw);
  }
  if (ownFreeze) MenuScroll.Running = false;
  ReshowWhereNotLaidOut(PositionAfterSync(selected, before));
}

void ScrollCopyBand(int mode) {
  HWND window = MenuTracking.CopyWindow;
  RECT client{};
  if (window == nullptr || !GetClientRect(window, &client)) return;
  const CopyBand band = CopyScrollBand(client.bottom, MenuScroll.ArrowHeight, MenuScroll.View);
  const RECT area{client.left, band.Top, client.right, band.Bottom};
  ScrollWindow(window, 0, mode == 0 ? -kCopyScrollPixels : kCopyScrollPixels, &area, &area);
}

// Some platforms' popup windows (Wine's) ignore MN_SELECTITEM; the item is then highlighted
// directly.
void SelectCopyPosition(int position) {
  HMENU copy = MenuTracking.CopyMenu;
  if (copy == nullptr || position < 0) return;
  if (MenuTracking.CopyWindow != nullptr) {
    SendMessageW(MenuTracking.CopyWindow, kMenuSelectItemMessage, static_cast<WPARAM>(position), 0);
  }
  const UINT state = GetMenuState(copy, static_cast<UINT>(position), MF_BYPOSITION);
  HWND owner = nullptr;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (const MenuRecord* title = CopyTitle()) owner = title->Window;
  }
  if (state != static_cast<UINT>(-1) && (state & MF_HILITE) == 0 && owner != nullptr) {
    HiliteMenuItem(owner, copy, static_cast<UINT>(position), MF_BYPOSITION | MF_HILITE);
  }
}

HMENU BuildScrollCopy(MenuRecord& title, int available) {
  HMENU source = title.Handle;
  const int count = GetMenuItemCount(source);
  if (count <= 0 || MenuTracking.CopyMenu != nullptr) return nullptr;
  MeasureSource(source, count);
  int total = MenuScroll.Frame;
  for (int height : MenuScroll.ItemHeights) total += height;
  if (total <= available) {
    MenuTracking.CopyItemWidth = 0;
    return nullptr;
  }
  std::int32_t style = 0;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    title.Scrolling = true;
    style = title.Style;
  }
  MenuScroll.Title = &title;
  MenuScroll.SourceMenu = source;
  const MenuBuilderState current = MenuBuilder;
  MenuTracking.CopyMenu = CreateSkinnedPopupMenu(-1, static_cast<std::uint32_t>(style));
  MenuBuilder = current;
  if (MenuTracking.CopyMenu == nullptr) {
    FreeScrollCopy();
    return nullptr;
  }
  const CopyView first = InitialCopyView(CurrentCopyGeometry(), available);
  MenuScroll.CopyHeight = CopyOuterHeight(first, CurrentCopyGeometry());
  MenuScroll.Rows.clear();
  MenuScroll.View = first;
  NoteMnemonics(first.Last);
  ApplyCopyView(first, true);
  MeasurePopupMenuHeight(MenuTracking.CopyMenu);
  SetCopyScrollRunner(RunKeyboardCopyScroll);
  return MenuTracking.CopyMenu;
}

void FreeScrollCopy() {
  EndScrollSteps();
  SetCopyScrollRunner(nullptr);
  if (MenuTracking.CopyMenu != nullptr) {
    NoShortcuts quiet;
    FreeSkinnedMenu(CopyId());
  }
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    // The title may have been freed while its menu was open.
    if (MenuRecord* title = CopyTitle()) title->Scrolling = false;
  }
  MenuTracking.CopyMenu = nullptr;
  MenuTracking.CopyWindow = nullptr;
  MenuTracking.CopyItemWidth = 0;
  MenuScrollRows = MenuScrollRowHeights{};
  MenuScroll.Title = nullptr;
  MenuScroll.SourceMenu = nullptr;
  MenuScroll.Rows.clear();
  MenuScroll.Keys.clear();
  MenuScroll.View = CopyView{};
  MenuScroll.ReshowPending = false;
  MenuScroll.ReshowSelection = -1;
  MenuScroll.Requested = false;
  MenuScroll.Running = false;
  MenuScroll.Finished = false;
}

bool TakeCopyReshow() {
  if (!MenuScroll.ReshowPending || MenuTracking.CopyMenu == nullptr) return false;
  // EndMenu posts WM_CANCELMODE; left in the queue it would end the copy's next loop at once.
  // Scroll steps sent meanwhile are served here, still moving the selection to set with its row.
  MSG stale;
  for (int k = 0; k < 16 && PeekMessageW(&stale, nullptr, WM_CANCELMODE, WM_CANCELMODE, PM_REMOVE); ++k) {
  }
  MenuScroll.ReshowPending = false;
  const int selection = MenuScroll.ReshowSelection;
  if (selection >= 0 && selection < static_cast<int>(MenuScroll.Rows.size())) {
    PostCopyReselect(MenuScroll.Rows[static_cast<std::size_t>(selection)]);
  }
  MenuScroll.ReshowSelection = -1;
  return true;
}

bool FireCopyMnemonic(UINT key) {
  HWND owner = nullptr;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    const MenuRecord* title = CopyTitle();
    if (MenuTracking.CopyMenu == nullptr || title == nullptr || MenuTracking.TrackedMenuRecord != title) return false;
    owner = title->Window;
  }
  const auto character = static_cast<char16_t>(MapVirtualKeyW(key, MAPVK_VK_TO_CHAR));
  for (const CopyMnemonicKey& entry : MenuScroll.Keys) {
    if (entry.Key != UpperCaseUnit(character)) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_STATE;
    if (!GetMenuItemInfoW(MenuScroll.SourceMenu, static_cast<UINT>(entry.CommandId), FALSE, &info)) return false;
    // A disabled or greyed item never fires, whichever way it is reached.
    if (info.hSubMenu != nullptr || (info.fState & (MFS_DISABLED | MFS_GRAYED)) != 0) return false;
    SendMessageW(owner, WM_COMMAND, static_cast<WPARAM>(entry.CommandId & 0xFFFF), 0);
    LeaveMenuMode();
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (MenuRecord* title = CopyTitle()) title->Scrolling = false;
    return true;
  }
  return false;
}
