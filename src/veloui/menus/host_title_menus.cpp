#include <windows.h>
#include <commctrl.h>

#include <string>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/core/popup_placement.h"
#include "veloui/menus/host_handlers.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_measuring.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/popup_menus.h"
#include "veloui/menus/popup_window.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/saved_screen.h"
#include "veloui/menus/toolbars.h"
#include "veloui/menus/track_windows_hook.h"

namespace {

constexpr UINT kTitleRepaint = RDW_INVALIDATE | RDW_UPDATENOW;  // 0x101 with the erase left out
constexpr UINT kBarRepaint = RDW_UPDATENOW | RDW_ERASENOW;
constexpr UINT kBarRepaintAfter = RDW_UPDATENOW | RDW_NOERASE;

MenuRecord* TitleMenu(HWND toolbar, int index) {
  for (MenuRecord& menu : MenuList()) {
    if (menu.Toolbar == toolbar && menu.TitleIndex == index && menu.Handle != nullptr) return &menu;
  }
  return nullptr;
}

RECT WorkAreaOf(const RECT& rect) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

void RepaintBar(HWND toolbar, UINT flags) {
  SendMessageW(toolbar, WM_SETREDRAW, TRUE, 0);
  ToolkitLockGuard lock(ToolkitLock::Menu);
  RedrawWindow(toolbar, nullptr, nullptr, flags);
}

// Closing what a title drop-down left behind when the bar asks again while a title is hot.
LRESULT CloseTitleState(HWND toolbar) {
  MenuTracking.HotTitle = -1;
  RestoreSavedFocus();
  MenuTracking.SavedFocus = nullptr;
  ClearPendingTitleSwitch();
  RedrawSavedPopupArea();
  RepaintBar(toolbar, kBarRepaint);
  return 0;
}

// Opens the drop-down of the bar's title `index` and returns once it has closed.
void OpenTitleMenu(HWND window, HWND toolbar, int index, bool switching) {
  if (MenuTracking.MenuMode != 1 && MenuTracking.NextTitle == -1) MenuTracking.SavedFocus = GetFocus();
  MenuTracking.OpenTitle = index;
  MenuTracking.NextTitle = -1;
  MenuTracking.MenuBarToolbar = toolbar;
  MenuTracking.SubmenuOpening = false;
  MenuTracking.OpeningSubmenu = nullptr;
  MenuTracking.SubmenuDepth = 0;
  // A move to where the mouse last was in the previous menu is a move in this one.
  MenuTracking.LastMousePoint = POINT{-1, -1};
  RECT title{};
  SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&title));
  MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&title), 2);
  MenuTracking.OpenTitleRect = title;
  MenuTracking.TitlePressed = !switching;

  TakeToolkitLock(ToolkitLock::Menu);
  MenuRecord* record = TitleMenu(toolbar, index);
  if (record == nullptr) {
    ReleaseToolkitLock(ToolkitLock::Menu);
    MenuTracking.TitlePressed = false;
      return;
  }
  HMENU handle = record->Handle;
  const std::int32_t style = record->Style;
  MenuTracking.MenuBarFilterHook = SetWindowsHookExW(WH_MSGFILTER, MenuBarMsgFilterHook, nullptr, GetCurrentThreadId());
  const RECT work = WorkAreaOf(title);
  const int width = MeasurePopupMenuWidth(handle);
  MeasurePopupMenuHeight(handle);
  const int top = title.bottom - 1 - (style == UISTYLE_WHIDBEY ? 1 : 0);
  ReleaseToolkitLock(ToolkitLock::Menu);
  // Too long to fit under the title: a scrollable copy is shown in its place.
  if (HMENU copy = BuildScrollCopy(*record, work.bottom - top - DropDownFitMargin(static_cast<std::uint32_t>(style))))
    handle = copy;
  TakeToolkitLock(ToolkitLock::Menu);
  const PopupClamp clamp = ClampPopupToWorkArea(title.left, width, work.right);
  MenuTracking.PopupWidth = width;
  MenuTracking.PopupLeft = clamp.Left;
  MenuTracking.PopupShift = clamp.Shift;
  record->Open = true;
  record->Tracking = true;
  MenuTracking.TrackedMenu = handle;
  MenuTracking.TrackedMenuRecord = record;
  AnnounceTrackedMenu(handle);
  // On a switch the thread window hook makes the new title hot once its popup appears.
  MenuTrackingHook.MenuBarToolbar = toolbar;
  MenuTrackingHook.TitleSwitchPending = switching;
  MenuTrackingHook.SwitchHotIndex = switching ? index : -1;
  ReleaseToolkitLock(ToolkitLock::Menu);

  SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  RepaintBar(toolbar, kBarRepaint);
  // Opened from the keyboard: the first item is selected, as a Down press would. Posted, it
  // reaches the menu loop in order and needs no foreground window.
  if (MenuTracking.MenuMode == 1) PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1);
  BOOL fading = FALSE;
  SystemParametersInfoW(SPI_GETMENUFADE, 0, &fading, 0);
  UINT flags = (fading && !switching ? 0u : TPM_NOANIMATION) | TPM_VERTICAL;
  if (!Dwm.DwmCompositionEnabled && MenuTrackingHook.SavedScreenOption) CaptureMenuBarBackground(toolbar, nullptr);
  TrackPopupMenuEx(handle, flags, title.left, top, window, nullptr);
  // Bounded: each pass shows again a copy that was edited where the platform could not lay
  // it out (Wine); at the same place, and its selection is set again once it is shown.
  for (int shown = 0; shown < 10000 && TakeCopyReshow(); ++shown) {
    TrackPopupMenuEx(handle, flags | TPM_NOANIMATION, title.left, top, window, nullptr);
  }

  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    MenuTracking.TrackedMenu = nullptr;
    MenuTracking.TrackedMenuRecord = nullptr;
    AnnounceTrackedMenu(nullptr);
    ClearPendingTitleSwitch();
    for (MenuRecord& menu : MenuList()) {
      if (menu.Handle == handle || &menu == record) {
        menu.Open = false;
        menu.Tracking = false;
      }
    }
  }
  FreeScrollCopy();
  MenuTracking.TitlePressed = false;
  // A pass the closing menu began without drawing its last item ends with it.
  HostWindows.PaintPass = false;
  if (MenuTracking.MenuBarFilterHook != nullptr) UnhookWindowsHookEx(MenuTracking.MenuBarFilterHook);
  MenuTracking.MenuBarFilterHook = nullptr;
}

void AfterTitleMenu(HWND toolbar) {
  // The shadows beside the pressed title go with its menu, whether or not the bar repaints.
  DestroyTitleShadows(toolbar);
  SendPendingTitleKeys();
  if (MenuTracking.NextTitle != -1 || MenuTracking.MenuMode == -2) return;
  SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  MenuTracking.HotTitle = -1;
  MenuTracking.MenuMode = 0;
  RestoreSavedFocus();
  MenuTracking.SavedFocus = nullptr;
  if (!PutBackMenuBarBackground()) RedrawSavedPopupArea();
  RepaintBar(toolbar, kBarRepaintAfter);
  if (MenuTracking.MenuBarKeyMode == -2) {
    MenuTracking.HotTitle = -2;
    MenuTracking.MenuBarKeyMode = 0;
    RedrawSavedPopupArea();
  }
}

bool IsMenuBarToolbar(HWND toolbar) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Toolbar == toolbar) return true;
  }
  return false;
}

// The notice comes from a press of the left button on one of the bar's titles, not from the
// toolbar's own keyboard handling.
bool ClickedOnTitle(HWND toolbar) {
  if (GetKeyState(VK_LBUTTON) >= 0) return false;
  const DWORD position = GetMessagePos();
  POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ScreenToClient(toolbar, &point);
  return SendMessageW(toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)) >= 0;
}

}  // namespace

LRESULT HostTitleDropDown(HWND window, NMHDR* header, LRESULT previous) {
  HWND toolbar = header->hwndFrom;
  if (!IsMenuBarToolbar(toolbar)) return previous;
  // The mark a title opened from the keys leaves behind swallows the toolbar's own late
  // notice only; a click on a title always opens it.
  if (MenuTracking.HotTitle == -2 && ClickedOnTitle(toolbar)) MenuTracking.HotTitle = -1;
  if (MenuTracking.HotTitle != -1) return CloseTitleState(toolbar);
  const auto* dropDown = reinterpret_cast<const NMTOOLBARW*>(header);
  int index = static_cast<int>(SendMessageW(toolbar, TB_GETHOTITEM, 0, 0));
  if (index < 0) index = static_cast<int>(SendMessageW(toolbar, TB_COMMANDTOINDEX, dropDown->iItem, 0));
  OpenTitleMenu(window, toolbar, index, false);
  AfterTitleMenu(toolbar);
  return 0;
}

void HostKeyboardTitle(HWND window, HWND toolbar, int index) {
  // The key mode may have ended since the key (a click, the keyboard gone elsewhere).
  const bool stillAsked = MenuTracking.MenuBarKeyMode == -2 && MenuTracking.MenuMode == 1 &&
                          MenuTracking.TrackedMenu == nullptr && MenuTracking.MenuBarToolbar == toolbar;
  if (!stillAsked || !IsMenuBarToolbar(toolbar)) return;
  MenuTracking.HotTitle = -1;
  OpenTitleMenu(window, toolbar, index, false);
  AfterTitleMenu(toolbar);
}

LRESULT HostTitleHotItemChange(HWND window, NMHDR* header, LRESULT) {
  if (MenuTracking.NextTitle == -1) return 0;
  HWND toolbar = header->hwndFrom;
  const auto* change = reinterpret_cast<const NMTBHOTITEM*>(header);
  bool known = false;
  int index = -1;
  if (change->idNew != 0) {
    index = static_cast<int>(SendMessageW(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(change->idNew), 0));
    ToolkitLockGuard lock(ToolkitLock::Menu);
    known = TitleMenu(toolbar, index) != nullptr;
  }
  if (!known) {
    SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(MenuTracking.NextTitle), 0);
    return 0;
  }
  OpenTitleMenu(window, toolbar, index, true);
  AfterTitleMenu(toolbar);
  return 2;
}

namespace {

HWND BandChild(HWND rebar, UINT band) {
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_CHILD;
  SendMessageW(rebar, RB_GETBANDINFOW, band, reinterpret_cast<LPARAM>(&info));
  return info.hwndChild;
}

std::wstring TitleText(HWND toolbar, int command) {
  const int length = static_cast<int>(SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command), 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

Text AsText(const std::wstring& wide) { return Text(wide.begin(), wide.end()); }

// The buttons the band cannot show, as items of a temporary menu: titles of a menu bar lend
// their real drop-downs, other buttons come with their text and image.
void FillChevronMenu(HWND rebar, HWND toolbar, int visibleRight, bool menuBar, HMENU menu) {
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  const auto menuId = reinterpret_cast<std::intptr_t>(menu);
  for (int index = 0; index < count; ++index) {
    RECT item{};
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(toolbar, rebar, reinterpret_cast<POINT*>(&item), 2);
    if (item.right <= visibleRight) continue;
    TBBUTTON button{};
    SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    if ((button.fsStyle & BTNS_SEP) != 0) {
      AddMenuSeparator();
      continue;
    }
    const Text text = AsText(TitleText(toolbar, button.idCommand));
    if (menuBar) {
      HMENU submenu = nullptr;
      {
        ToolkitLockGuard lock(ToolkitLock::Menu);
        if (const MenuRecord* title = TitleMenu(toolbar, index)) submenu = title->Handle;
      }
      AddMenuItem(button.idCommand, text, nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(submenu));
      continue;
    }
    HICON icon = images != nullptr && button.iBitmap >= 0 ? ImageList_GetIcon(images, button.iBitmap, ILD_NORMAL)
                                                          : nullptr;
    AddMenuItem(button.idCommand, text, icon, nullptr, nullptr, 0);
    if (icon != nullptr) DestroyIcon(icon);
    if ((button.fsState & TBSTATE_ENABLED) == 0) SetMenuItemDisabled(menuId, button.idCommand, true);
  }
}

}  // namespace

LRESULT HostChevronPushed(HWND window, NMHDR* header, LRESULT previous) {
  if (MenuTracking.ChevronClick != 0) {
    MenuTracking.ChevronClick = 0;
    return previous;
  }
  const auto* chevron = reinterpret_cast<const NMREBARCHEVRON*>(header);
  HWND rebar = header->hwndFrom;
  HWND toolbar = BandChild(rebar, chevron->uBand);
  const ToolbarRecord* record = FindToolbarRecord(reinterpret_cast<std::intptr_t>(toolbar));
  if (toolbar == nullptr || record == nullptr) return previous;
  RECT button = chevron->rc;
  const int visibleRight = button.left;
  MapWindowPoints(rebar, nullptr, reinterpret_cast<POINT*>(&button), 2);
  MenuTracking.ChevronRect = button;
  const bool menuBar = record->IsMenuBar;
  std::uint32_t style = record->Style;
  if (const RebarRecord* owner = FindRebarRecord(reinterpret_cast<std::intptr_t>(rebar))) style = owner->Style;
  HMENU menu = CreateSkinnedPopupMenu(-1, style);
  if (menu == nullptr) return previous;
  FillChevronMenu(rebar, toolbar, visibleRight, menuBar, menu);
  MenuTracking.ChevronFilterHook =
      SetWindowsHookExW(WH_MSGFILTER, ChevronMenuMsgFilterHook, nullptr, GetCurrentThreadId());
  MenuTracking.ChevronClick = 0;
  const RECT work = WorkAreaOf(button);
  const int x = ChevronMenuLeft(button.left, MeasurePopupMenuWidth(menu), work.left, work.right);
  ShowPopupMenu(reinterpret_cast<std::intptr_t>(menu), window, x, button.bottom);
  if (MenuTracking.ChevronFilterHook != nullptr) UnhookWindowsHookEx(MenuTracking.ChevronFilterHook);
  MenuTracking.ChevronFilterHook = nullptr;
  // The titles' drop-downs were only lent: they leave the temporary menu before it goes.
  if (menuBar) {
    for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
      if (GetSubMenu(menu, position) != nullptr) RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }
  }
  FreeSkinnedMenu(reinterpret_cast<std::intptr_t>(menu));
  return previous;
}
