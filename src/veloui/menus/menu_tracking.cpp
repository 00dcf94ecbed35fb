#include "veloui/menus/menu_tracking.h"

#include <commctrl.h>

#include "veloui/menus/core/menu_navigation.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/popup_window.h"

MenuTrackingState MenuTracking;

namespace {

CopyScrollRunner RunCopyScroll = nullptr;

std::uint16_t LowId(HMENU menu, int position) {
  return static_cast<std::uint16_t>(GetMenuItemID(menu, position) & 0xFFFF);
}

void ScrollCopyOnKeySelection(WPARAM wParam) {
  HMENU copy = MenuTracking.CopyMenu;
  if (copy == nullptr || RunCopyScroll == nullptr) return;
  if (MenuTracking.LastKey != VK_UP && MenuTracking.LastKey != VK_DOWN) return;
  const int count = GetMenuItemCount(copy);
  CopySelection selection;
  selection.LastKey = MenuTracking.LastKey;
  selection.SelectedId = LOWORD(wParam);
  selection.FirstIsTopArrow = count > 0 && LowId(copy, 0) == kCopyTopArrowId;
  selection.LastIsBottomArrow = count > 0 && LowId(copy, count - 1) == kCopyBottomArrowId;
  selection.ItemCount = count;
  selection.FirstIsSpacer = count > 0 && LowId(copy, 0) == kCopySpacerId;
  selection.LastIsSpacer = count > 0 && LowId(copy, count - 1) == kCopySpacerId;
  if (const auto scroll = DecideCopyScroll(selection)) {
    RunCopyScroll(*scroll);
  }
  MenuTracking.LastKey = 0;
}

}  // namespace

void SetCopyScrollRunner(CopyScrollRunner runner) { RunCopyScroll = runner; }

void ResetMenuTrackingForTesting() {
  RemoveKeyModeMouseHook();
  MenuTracking = MenuTrackingState{};
}

void RestoreSavedFocus() {
  if (MenuTracking.SavedFocus != nullptr && IsWindow(MenuTracking.SavedFocus)) SetFocus(MenuTracking.SavedFocus);
}

void SendPendingTitleKeys() {
  HWND toolbar = MenuTracking.MenuBarToolbar;
  const bool pending = MenuTracking.TitleSwitchPending;
  MenuTracking.TitleSwitchPending = false;
  if (!pending || toolbar == nullptr || MenuTracking.NextTitle < 0) return;
  PostMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(MenuTracking.NextTitle), 0);
  PostMessageW(toolbar, WM_KEYDOWN, VK_DOWN, 1);
}

void LeaveMenuMode() {
  RemoveKeyModeMouseHook();
  MenuTracking.MenuMode = 0;
  MenuTracking.OpenTitle = -1;
  MenuTracking.NextTitle = -1;
  MenuTracking.HotTitle = -1;
  MenuTracking.MenuBarKeyMode = 0;
  EndMenu();
  RestoreSavedFocus();
  if (MenuTracking.MenuBarToolbar != nullptr) {
    SendMessageW(MenuTracking.MenuBarToolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    UpdateWindow(MenuTracking.MenuBarToolbar);
  }
}

bool BarKeyModeActive() {
  return MenuTracking.MenuBarKeyMode != 0 && MenuTracking.MenuMode == 1 && MenuTracking.TrackedMenu == nullptr &&
         MenuTracking.NextTitle == -1 && MenuTracking.MenuBarToolbar != nullptr;
}

void DropBarKeyMode() {
  MenuTracking.SavedFocus = nullptr;
  LeaveMenuMode();
}

namespace {

bool IsButtonDown(WPARAM message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

// The click is looked at before it is dispatched: the focus goes back first, and the click
// then lands where it was aimed (a field takes the focus, a title opens its menu).
LRESULT CALLBACK KeyModeMouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && IsButtonDown(wParam)) {
    if (BarKeyModeActive()) LeaveMenuMode();
    else RemoveKeyModeMouseHook();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void InstallKeyModeMouseHook() {
  if (MenuTracking.KeyModeMouseHook != nullptr) return;
  MenuTracking.KeyModeMouseHook = SetWindowsHookExW(WH_MOUSE, KeyModeMouseHook, nullptr, GetCurrentThreadId());
}

void RemoveKeyModeMouseHook() {
  if (MenuTracking.KeyModeMouseHook != nullptr) UnhookWindowsHookEx(MenuTracking.KeyModeMouseHook);
  MenuTracking.KeyModeMouseHook = nullptr;
}

UINT KeyboardTitleMessage() {
  static const UINT message = RegisterWindowMessageW(L"VeloUI_KeyboardTitle");
  return message;
}

void NoteMenuSelect(WPARAM wParam, LPARAM lParam) {
  MenuTracking.LastMenuSelectFlags = HIWORD(wParam);
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  if (menu == nullptr) menu = MenuTracking.TrackedMenu;
  HMENU submenu = nullptr;
  if (menu != nullptr && (HIWORD(wParam) & MF_POPUP) != 0) submenu = GetSubMenu(menu, LOWORD(wParam));
  MenuTracking.SelectedSubmenu = submenu;
  MenuTracking.SubmenuOpening = submenu != nullptr;
  // Where the popup window never sees MN_SELECTITEM, the selection is learnt from here.
  MenuTracking.ItemSelected = !(HIWORD(wParam) == 0xFFFF && lParam == 0);
  if (submenu != nullptr) MenuTracking.OpeningSubmenu = submenu;
  ScrollCopyOnKeySelection(wParam);
  // Where the copy's window never sees MN_SELECTITEM (Wine), the mouse on an arrow is learnt here.
  if (MenuTracking.ItemSelected) NoteCopySelectionOfCommand(LOWORD(wParam));
}
