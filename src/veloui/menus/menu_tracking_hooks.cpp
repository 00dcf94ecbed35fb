#include "veloui/menus/menu_tracking_hooks.h"

#include <commctrl.h>

#include <algorithm>

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/core/menu_navigation.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/popup_window.h"

namespace {

constexpr UINT kSelectedSubmenuFlags = MF_OWNERDRAW | MF_HILITE | MF_POPUP;  // 0x190

const MSG* FilteredMessage(int code, LPARAM lParam) {
  return code == MSGF_MENU ? reinterpret_cast<const MSG*>(lParam) : nullptr;
}

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }

bool MouseMovedTo(const MSG& message) {
  const POINT point = message.pt;
  if (point.x == MenuTracking.LastMousePoint.x && point.y == MenuTracking.LastMousePoint.y) return false;
  MenuTracking.LastMousePoint = point;
  MenuTracking.KeyboardNavigation = false;
  return true;
}

void ClearSubmenuMarks() {
  MenuTracking.SubmenuOpening = false;
  MenuTracking.OpeningSubmenu = nullptr;
  MenuTracking.SubmenuDepth = 0;
}

void FlushComposition() {
  if (Dwm.DwmCompositionEnabled && Dwm.DwmFlush != nullptr) Dwm.DwmFlush();
}

void RepaintBar(HWND toolbar) {
  if (toolbar == nullptr) return;
  SendMessageW(toolbar, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(toolbar, nullptr, nullptr, RDW_UPDATENOW | RDW_NOERASE);
  UpdateWindow(toolbar);
}

int TitleCount() {
  if (MenuTracking.MenuBarToolbar == nullptr) return 0;
  return static_cast<int>(SendMessageW(MenuTracking.MenuBarToolbar, TB_BUTTONCOUNT, 0, 0));
}

HMENU SubmenuOnScreen(HMENU menu) {
  const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
  for (int position = 0; position < count; ++position) {
    HMENU submenu = GetSubMenu(menu, position);
    RECT rect{};
    if (submenu != nullptr && GetMenuItemRect(nullptr, submenu, 0, &rect) != FALSE) return submenu;
  }
  return nullptr;
}

// The deepest submenu of the tracked menu's cascade that is on screen, whichever item is
// selected now (the submenu's own first selection leaves none with a submenu): the one Left
// closes, the submenu of the item selected in the popup that stays open. nullptr when none is.
HMENU TrackedSubmenuOnScreen() {
  constexpr int kDeepestCascade = 32;  // bounded: a menu may (wrongly) hold itself down its cascade
  HMENU deepest = nullptr;
  HMENU next = SubmenuOnScreen(MenuTracking.TrackedMenu);
  for (int level = 0; next != nullptr && level < kDeepestCascade; ++level) {
    deepest = next;
    next = SubmenuOnScreen(next);
  }
  return deepest;
}

// Left closes only the submenu on screen. The item that opened it is the selected one again,
// though the system may not say so: Right opens the submenu again rather than the next title.
bool CloseOnlySubmenu() {
  HMENU submenu = TrackedSubmenuOnScreen();
  if (submenu == nullptr) return false;
  MenuTracking.SubmenuDepth = std::max(0, MenuTracking.SubmenuDepth - 1);
  MenuTracking.LastMenuSelectFlags = kSelectedSubmenuFlags;
  MenuTracking.SelectedSubmenu = submenu;
  return true;
}

// Left or Right past the open menu's edge: close it and let the bar open its neighbour once
// the menu loop has ended (SendPendingTitleKeys).
void SwitchTitle(int direction) {
  // The open title stays hot until then; set before NextTitle, so the bar's hot-item notice
  // does not reopen it.
  if (MenuTracking.MenuBarToolbar != nullptr) {
    SendMessageW(MenuTracking.MenuBarToolbar, TB_SETHOTITEM, static_cast<WPARAM>(MenuTracking.OpenTitle), 0);
  }
  MenuTracking.NextTitle = NeighbourTitle(MenuTracking.OpenTitle, direction, TitleCount());
  ClearSubmenuMarks();
  MenuTracking.HotTitle = MenuTracking.OpenTitle;
  StopMenuScroll();
  EndMenu();
  MenuTracking.TitleSwitchPending = true;
  MenuTracking.MenuMode = -2;
  if (Dwm.DwmCompositionEnabled) {
    Sleep(5);
    FlushComposition();
  }
}

void CloseBarMenu() {
  HWND toolbar = MenuTracking.MenuBarToolbar;
  if (toolbar != nullptr) SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  RepaintBar(toolbar);
  RestoreSavedFocus();
  MenuTracking.MenuMode = 0;
  MenuTracking.OpenTitle = -1;
  MenuTracking.NextTitle = -1;
  MenuTracking.HotTitle = -1;
  StopMenuScroll();
  EndMenu();
}

void BarMouseMove(const MSG& message) {
  if (!MouseMovedTo(message) || MenuTracking.ItemSelected) return;
  HWND under = WindowFromPoint(message.pt);
  wchar_t className[16] = {};
  if (under != nullptr) GetClassNameW(under, className, 16);
  if (lstrcmpW(className, L"#32768") == 0 || MenuTracking.MenuBarToolbar == nullptr) return;
  POINT client = message.pt;
  ScreenToClient(MenuTracking.MenuBarToolbar, &client);
  const int hit = static_cast<int>(
      SendMessageW(MenuTracking.MenuBarToolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
  const int count = TitleCount();
  MenuTracking.HotTitle = hit >= 0 && hit < count ? hit : -1;
  MenuTracking.NextTitle = MenuTracking.HotTitle;
  if (MenuTracking.NextTitle == -1 || MenuTracking.NextTitle == MenuTracking.OpenTitle) {
    MenuTracking.NextTitle = -1;
    return;
  }
  ClearSubmenuMarks();
  if (MenuScroll.ThreadActive) {
    MenuScroll.Finished = true;
    return;
  }
  EndMenu();
  FlushComposition();
}

void BarKeyDown(const MSG& message) {
  const UINT key = static_cast<UINT>(message.wParam);
  if (key == VK_UP || key == VK_DOWN) {
    MenuTracking.MenuMode = 1;
    MenuTracking.KeyboardNavigation = true;
    MenuTracking.LastKey = key;
  } else if (key == VK_LEFT && MenuTracking.MenuMode != -2) {
    if (!CloseOnlySubmenu()) SwitchTitle(-1);
  } else if (key == VK_RIGHT && MenuTracking.MenuMode != -2) {
    if (MenuTracking.LastMenuSelectFlags == kSelectedSubmenuFlags) {
      MenuTracking.SubmenuOpening = true;
      ++MenuTracking.SubmenuDepth;
      MenuTracking.OpeningSubmenu = MenuTracking.SelectedSubmenu;
    } else {
      SwitchTitle(+1);
    }
  } else if (key == VK_ESCAPE && MenuTracking.SubmenuDepth > 0) {
    --MenuTracking.SubmenuDepth;
  } else if (key == VK_ESCAPE) {
    CloseBarMenu();
  }
  // Return is left to the menu loop: it chooses the selected item (or opens its submenu) and
  // ends the menu itself, and the title's close puts the bar back. Ended from here first, the
  // loop (Wine's) would end without choosing anything.
}

void BarAltPressed() {
  EndMenu();
  HWND toolbar = MenuTracking.MenuBarToolbar;
  if (toolbar != nullptr) SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  RepaintBar(toolbar);
  RestoreSavedFocus();
  MenuTracking.MenuMode = 0;
  MenuTracking.NextTitle = -1;
  MenuTracking.HotTitle = -1;
  MenuTracking.OpenTitle = -2;
}

void ClearTrackedScrolling() {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  if (MenuTracking.TrackedMenuRecord != nullptr) MenuTracking.TrackedMenuRecord->Scrolling = false;
}

// Alt or F10 without a menu in progress makes the first bar's first title hot, when the
// window that carries the bar is the active one; in any other window (a dialog) the key is
// that window's. False when the key was left alone.
bool EnterBarKeyMode() {
  HWND toolbar = nullptr;
  HWND owner = nullptr;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    for (const MenuRecord& menu : MenuList()) {
      if (menu.Toolbar != nullptr) {
        toolbar = menu.Toolbar;
        owner = menu.Window;
        break;
      }
    }
  }
  if (toolbar == nullptr || owner == nullptr || GetActiveWindow() != GetAncestor(owner, GA_ROOT)) return false;
  MenuTracking.MenuBarToolbar = toolbar;
  MenuTracking.MenuMode = 1;
  MenuTracking.MenuBarKeyMode = 1;
  MenuTracking.HotTitle = -1;
  MenuTracking.SavedFocus = GetFocus();
  SetFocus(toolbar);
  SendMessageW(toolbar, TB_SETHOTITEM, 0, 0);
  InstallKeyModeMouseHook();
  return true;
}

// The window that carries the bar `toolbar`, or nullptr.
HWND BarWindow(HWND toolbar) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Toolbar == toolbar) return menu.Window;
  }
  return nullptr;
}

int HotTitleOfBar() {
  const int hot = static_cast<int>(SendMessageW(MenuTracking.MenuBarToolbar, TB_GETHOTITEM, 0, 0));
  return hot >= 0 ? hot : 0;
}

// Down or Return: the hot title opens with its first item selected, as a click would open it.
// The menu loop cannot run inside this hook; the window that carries the bar opens it once
// the key is swallowed.
void OpenHotTitleFromKeys() {
  HWND toolbar = MenuTracking.MenuBarToolbar;
  HWND window = BarWindow(toolbar);
  RemoveKeyModeMouseHook();
  MenuTracking.MenuBarKeyMode = -2;
  if (window == nullptr ||
      !PostMessageW(window, KeyboardTitleMessage(), reinterpret_cast<WPARAM>(toolbar), HotTitleOfBar())) {
    LeaveMenuMode();
  }
}

void MoveHotTitle(int direction) {
  const int next = NeighbourTitle(HotTitleOfBar(), direction, TitleCount());
  if (next >= 0) SendMessageW(MenuTracking.MenuBarToolbar, TB_SETHOTITEM, static_cast<WPARAM>(next), 0);
}

// The bar's own key mode, the same on every system: what the toolbar's keyboard handling
// would do is done here and the key swallowed, so that no toolbar (Wine's moves its hot
// button on Down and sends a command on Return) acts on it as well. Other keys are the
// toolbar's, as before.
LRESULT BarKeyModeKey(std::uint32_t key, std::uint32_t data, LRESULT next) {
  switch (ClassifyBarKey(key, data)) {
    case BarKey::Open:
      OpenHotTitleFromKeys();
      return 1;
    case BarKey::Previous:
      MoveHotTitle(-1);
      return 1;
    case BarKey::Next:
      MoveHotTitle(+1);
      return 1;
    case BarKey::Leave:
      WriteDebugLog(u"escape");
      LeaveMenuMode();
      return 1;
    case BarKey::Other:
      MenuTracking.MenuBarKeyMode = -2;
      return next;
    case BarKey::Activator:
      return next;
  }
  return next;
}

// What every menu filter hook does with a selection (which reaches a filter hook only where
// the system queues it) or a click.
void NoteSelectionOrClick(const MSG& message) {
  switch (message.message) {
    case WM_MENUSELECT:
      NoteMenuSelect(message.wParam, message.lParam);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      RestoreSavedFocus();
      MenuTracking.MenuMode = 0;
      break;
    default:
      break;
  }
}

}  // namespace

LRESULT CALLBACK PopupMenuMouseHookLL(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && (wParam == WM_LBUTTONUP || wParam == WM_RBUTTONUP)) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    // A release on any popup of the cascade is inside, not only on the newest one.
    if (MenuTracking.LastPopupWindow != nullptr && !PointOnOpenPopup(event->pt)) EndMenu();
  }
  return PassOn(code, wParam, lParam);
}

LRESULT CALLBACK PopupMenuMsgFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  if (const MSG* message = FilteredMessage(code, lParam)) {
    switch (message->message) {
      case WM_MOUSEMOVE:
        MouseMovedTo(*message);
        break;
      case WM_KEYDOWN:
        if (message->wParam == VK_UP || message->wParam == VK_DOWN) {
          MenuTracking.MenuMode = 1;
          MenuTracking.KeyboardNavigation = true;
        } else if (message->wParam == VK_LEFT && MenuTracking.MenuMode != -2) {
          MenuTracking.MenuMode = 1;
          CloseOnlySubmenu();
        } else if (message->wParam == VK_RIGHT && MenuTracking.MenuMode != -2) {
          MenuTracking.MenuMode = 1;
          if (MenuTracking.LastMenuSelectFlags == kSelectedSubmenuFlags) {
            MenuTracking.SubmenuOpening = true;
            MenuTracking.OpeningSubmenu = MenuTracking.SelectedSubmenu;
          }
        }
        break;
      default:
        NoteSelectionOrClick(*message);
        break;
    }
  }
  return PassOn(code, wParam, lParam);
}

LRESULT CALLBACK MenuBarMsgFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = FilteredMessage(code, lParam);
  if (message == nullptr || MenuScroll.Finished) return PassOn(code, wParam, lParam);
  switch (message->message) {
    case WM_MOUSEMOVE:
      BarMouseMove(*message);
      break;
    case WM_KEYDOWN:
      BarKeyDown(*message);
      break;
    case WM_SYSKEYDOWN:
      if (message->wParam == VK_MENU) BarAltPressed();
      break;
    default:
      NoteSelectionOrClick(*message);
      break;
  }
  return PassOn(code, wParam, lParam);
}

LRESULT CALLBACK ChevronMenuMsgFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = FilteredMessage(code, lParam);
  if (message != nullptr && message->message == WM_LBUTTONDOWN) {
    MenuTracking.ChevronClick = PtInRect(&MenuTracking.ChevronRect, message->pt) ? -1 : 0;
  }
  return PassOn(code, wParam, lParam);
}

LRESULT CALLBACK MenuKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = PassOn(code, wParam, lParam);
  const auto key = static_cast<std::uint32_t>(wParam);
  const auto data = static_cast<std::uint32_t>(lParam);
  const bool keyDown = (data & 0x80000000u) == 0;
  // A mnemonic that fires swallows its key, so that no character of it reaches the focus once
  // the menu is gone. Wine's menu loop translates a key it has only peeked at (HC_NOREMOVE), so
  // the key is taken there too; on Windows the peeked key is never translated, and swallowing
  // it at either call is the same.
  if ((code == HC_ACTION || code == HC_NOREMOVE) && keyDown && FireCopyMnemonic(key)) return 1;
  if (code != HC_ACTION) return next;
  switch (ClassifyMenuKey(key, data, MenuTracking.F10Activates)) {
    case MenuKeyEvent::ActivatorPressed:
      // Any open toolkit menu is a menu in progress, however it was opened (a click leaves the
      // mode idle): the key closes it and leaves the bar alone.
      if (MenuTracking.MenuMode == 0 && MenuTracking.TrackedMenu == nullptr) return EnterBarKeyMode() ? 1 : next;
      LeaveMenuMode();
      return 1;
    case MenuKeyEvent::AltReleased:
      if (MenuTracking.OpenTitle != -2) return next;
      LeaveMenuMode();
      ClearTrackedScrolling();
      return 1;
    case MenuKeyEvent::Other:
      break;
  }
  if (!keyDown || !BarKeyModeActive()) return next;
  return BarKeyModeKey(key, data, next);
}
