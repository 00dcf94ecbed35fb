#include "veloui/menus/popup_menus.h"

#include <commctrl.h>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/menus/core/popup_placement.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_measuring.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/popup_window.h"

namespace {

bool MenuOwnsItems(const MenuRecord& record) {
  for (const MenuItemRecord& item : MenuItemList()) {
    if (item.Menu == &record) return true;
  }
  return false;
}

RECT WorkAreaAt(int x, int y) {
  const RECT point{x, y, x, y};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromRect(&point, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

void ResetForPopup() {
  MenuTracking.SubmenuOpening = false;
  MenuTracking.OpeningSubmenu = nullptr;
  MenuTracking.SubmenuDepth = 0;
  MenuTracking.PopupShift = 0;
  MenuTracking.LastMenuSelectFlags = 0;
  MenuTracking.SelectedSubmenu = nullptr;
  MenuTracking.ItemSelected = false;
  MenuTracking.SavedFocus = GetFocus();
}

void EndTracking(MenuRecord* record) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuTracking.TrackedMenu = nullptr;
  MenuTracking.TrackedMenuRecord = nullptr;
  AnnounceTrackedMenu(nullptr);
  record->Scrolling = false;
  record->Tracking = false;
  MenuScroll.Running = false;
  MenuScroll.Finished = false;
  MenuTracking.MenuMode = 0;
}

// Nothing of the bar outlives a context menu: no hot title, no key mode, no title to open.
void LeaveNoBarState() {
  if (MenuTracking.MenuBarKeyMode != 0 && MenuTracking.MenuBarToolbar != nullptr) {
    SendMessageW(MenuTracking.MenuBarToolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  }
  RemoveKeyModeMouseHook();
  MenuTracking.MenuBarKeyMode = 0;
  MenuTracking.HotTitle = -1;
  MenuTracking.NextTitle = -1;
}

}  // namespace

std::int32_t ShowPopupMenu(std::intptr_t menu, HWND window, int x, int y) {
  TakeToolkitLock(ToolkitLock::Menu);
  if (MenuItemList().empty()) {
    ReleaseToolkitLock(ToolkitLock::Menu);
    return 0;
  }
  InstallHostWindowProc(window);
  EnsureMenuThreadHooks();
  EnsureMenuFont();
  MenuRecord* record = FindMenuRecord(menu);
  if (record == nullptr || record->Handle == nullptr || !MenuOwnsItems(*record)) {
    ReleaseToolkitLock(ToolkitLock::Menu);
    return 0;
  }
  HMENU handle = record->Handle;
  ResetForPopup();
  const int width = MeasurePopupMenuWidth(handle);
  MenuTracking.PopupWidth = width;
  MeasurePopupMenuHeight(handle);
  MenuTracking.TrackedMenu = handle;
  MenuTracking.TrackedMenuRecord = record;
  AnnounceTrackedMenu(handle);
  record->Tracking = true;
  const PopupClamp clamp = ClampPopupToWorkArea(x, width, WorkAreaAt(x, y).right);
  x = clamp.Left;
  MenuTracking.PopupLeft = x;
  MenuTracking.PopupShift = clamp.Shift;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  MenuTracking.PopupFilterHook = SetWindowsHookExW(WH_MSGFILTER, PopupMenuMsgFilterHook, nullptr, thread);
  MenuTracking.PopupMouseHook =
      SetWindowsHookExW(WH_MOUSE_LL, PopupMenuMouseHookLL, GetModuleHandleW(nullptr), 0);
  ReleaseToolkitLock(ToolkitLock::Menu);

  TrackPopupMenuEx(handle, TPM_VERTICAL, x, y, window, nullptr);

  if (MenuTracking.PopupFilterHook != nullptr) UnhookWindowsHookEx(MenuTracking.PopupFilterHook);
  if (MenuTracking.PopupMouseHook != nullptr) UnhookWindowsHookEx(MenuTracking.PopupMouseHook);
  MenuTracking.PopupFilterHook = nullptr;
  MenuTracking.PopupMouseHook = nullptr;
  EndTracking(record);
  LeaveNoBarState();
  RestoreSavedFocus();
  return 1;
}
