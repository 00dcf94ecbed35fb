#pragma once
// The state of the menu that is open (or about to open) on the GUI thread, shared by
// ShowPopupMenu, the tracking hooks, the host window procedure and the popup windows.
// GUI thread only; the records it points at are guarded by the menu lock.
#include <windows.h>

#include <cstdint>

#include "veloui/menus/core/menu_navigation.h"
#include "veloui/menus/menus.h"

struct MenuTrackingState {
  HMENU TrackedMenu = nullptr;
  MenuRecord* TrackedMenuRecord = nullptr;
  HWND MenuBarToolbar = nullptr;
  int OpenTitle = -1;  // -2: Alt was pressed inside an open menu
  int NextTitle = -1;  // the title the host opens once the current menu has closed
  int HotTitle = -1;
  int MenuMode = 0;    // 1 driven by keyboard or mouse; -2 a keyboard title switch
  bool KeyboardNavigation = false;
  int MenuBarKeyMode = 0;  // 1 a title is hot from Alt or F10; -2 another key followed
  HWND SavedFocus = nullptr;
  bool ItemSelected = false;
  bool SubmenuOpening = false;
  HMENU OpeningSubmenu = nullptr;
  UINT LastMenuSelectFlags = 0;
  HMENU SelectedSubmenu = nullptr;
  int SubmenuDepth = 0;
  UINT LastKey = 0;
  int PopupLeft = 0;
  int PopupWidth = 0;
  int PopupShift = 0;
  POINT LastMousePoint{-1, -1};
  HWND LastPopupWindow = nullptr;
  int ChevronClick = 0;
  RECT ChevronRect{};
  bool F10Activates = true;
  // Host-window side of a title's menu.
  bool TitlePressed = false;
  bool TitleSwitchPending = false;  // Left or Right asked for NextTitle; acted on after the menu
  RECT OpenTitleRect{};       // screen co-ordinates of the pressed title
  bool CopyRebuilding = false;  // a scrollable copy is being rebuilt: its items are not drawn
  // A scrollable copy of an over-long drop-down (shown by the scrolling code).
  HMENU CopyMenu = nullptr;
  HWND CopyWindow = nullptr;
  int CopyItemWidth = 0;
  int ImageMarginWidth = 0;  // the image column of the items last drawn
  // Hooks of the menu that is open.
  HHOOK PopupFilterHook = nullptr;
  HHOOK PopupMouseHook = nullptr;
  HHOOK MenuBarFilterHook = nullptr;
  HHOOK ChevronFilterHook = nullptr;
  HHOOK KeyModeMouseHook = nullptr;  // while Alt or F10 holds a title hot: a click anywhere ends that
};

extern MenuTrackingState MenuTracking;
void ResetMenuTrackingForTesting();

// The bar's toolbar loses its hot title, the focus goes back and the state is idle again.
void LeaveMenuMode();
// Alt or F10 made a title hot and no menu is open: the keys and clicks of the bar's key mode apply.
bool BarKeyModeActive();
// The bar lost the keyboard to another window while in key mode: idle again, the focus left
// where it went.
void DropBarKeyMode();
// The hook that ends the key mode on a click (any button, anywhere, the bar too: a click on a
// title then opens it as any click does); removed whenever the key mode ends.
void InstallKeyModeMouseHook();
void RemoveKeyModeMouseHook();
// Posted by the keyboard hook to the window that carries the bar (wParam the bar's toolbar,
// lParam the title): a title opened from the keys is opened once the hook has returned.
UINT KeyboardTitleMessage();
// Gives the focus back to SavedFocus when there is one.
void RestoreSavedFocus();
// After a menu loop has ended: a title switch asked for from the keyboard gives the bar the
// focus, makes NextTitle hot (the bar's hot-item notice opens it) and sends a Down that
// selects its first item. Posted, not injected: they keep their order, need no foreground
// window, and arrive when no menu loop is running that could take them for its own.
void SendPendingTitleKeys();
// What every tracking path does with a WM_MENUSELECT (a sent message, so the message-filter
// hooks never see it: the host window procedure hands it over). In a scrollable copy, Up or
// Down onto its special rows scrolls it.
void NoteMenuSelect(WPARAM wParam, LPARAM lParam);

// How a keyboard step of a scrollable copy is carried out (mode 0 down, 1 up, 2 rebuild at
// the end, 3 at the start) and the item selected afterwards; set while a copy is shown.
using CopyScrollRunner = void (*)(const CopyScroll& scroll);
void SetCopyScrollRunner(CopyScrollRunner runner);
