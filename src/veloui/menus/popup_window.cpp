#include "veloui/menus/popup_window.h"

#include <vector>

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/core/popup_placement.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/popup_window_paint.h"
#include "veloui/menus/track_windows_hook.h"
#include "veloui/foundation/core/ui_colour_ids.h"

PopupWindowGlobals PopupWindows;

namespace {

constexpr UINT kFrozenPosition =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER;  // 0x21F

ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

MenuRecord* RecordOfHandle(HMENU menu) {
  if (menu == nullptr) return nullptr;
  for (MenuRecord& record : MenuList()) {
    if (record.Handle == menu) return &record;
  }
  return nullptr;
}

// The procedure every "#32768" window is made with: the class's own.
WNDPROC SystemProcedure(HWND window) {
  return reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
}

PopupWindowRecord* RecordOfWindow(HWND window) {
  return reinterpret_cast<PopupWindowRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The selection fade would paint the old look over a toolkit item; it is switched off for the
// session only (never written to the user's profile), so a crash cannot leave it off.
void SwitchSelectionFadeOff() {
  BOOL fade = FALSE;
  if (SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &fade, 0) && fade) {
    SystemParametersInfoW(SPI_SETSELECTIONFADE, 0, reinterpret_cast<void*>(FALSE), 0);
    PopupWindows.FadeSwitchedOff = true;
  }
}

void SwitchSelectionFadeBackOn() {
  if (!PopupWindows.FadeSwitchedOff) return;
  SystemParametersInfoW(SPI_SETSELECTIONFADE, 0, reinterpret_cast<void*>(TRUE), 0);
  PopupWindows.FadeSwitchedOff = false;
}

PopupWindowRecord* RegisterPopupWindow(HWND window) {
  HMENU restyled = nullptr;
  PopupWindowRecord* record = nullptr;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    MenuRecord* tracked = MenuTracking.TrackedMenuRecord;
    if (PopupWindows.OpenWindows == 0) PopupWindows.CascadeStyle = tracked != nullptr ? tracked->Style : 0;
    record = &PopupWindowList().emplace_back();
    record->Menu = tracked;
    record->Window = window;
    record->Parent = PopupWindows.OpenWindows > 0 ? PopupWindows.Current : nullptr;
    if (record->Parent != nullptr && MenuTracking.SubmenuOpening && MenuTracking.OpeningSubmenu != nullptr) {
      record->Submenu = MenuTracking.OpeningSubmenu;
      MenuRecord* submenu = RecordOfHandle(record->Submenu);
      if (submenu != nullptr && submenu->Style != PopupWindows.CascadeStyle) {
        record->SavedStyle = submenu->Style;
        submenu->Style = PopupWindows.CascadeStyle;
        restyled = record->Submenu;
      }
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    PopupWindows.Current = record;
    PopupWindows.TearingDown = false;
    if (!IsPreWhidbeyStyle(PopupWindows.CascadeStyle) && !PopupWindows.FadeSwitchedOff) SwitchSelectionFadeOff();
    if (MenuTracking.CopyMenu != nullptr && MenuTracking.CopyWindow == nullptr) MenuTracking.CopyWindow = window;
    ++PopupWindows.OpenWindows;
    record->SavedDropState = MenuTracking.LastPopupWindow;
    MenuTracking.LastPopupWindow = window;
  }
  if (restyled != nullptr) SetAllMenuItemInfo(restyled);
  return record;
}

LRESULT ForgetPopupWindow(HWND window, PopupWindowRecord* record, UINT message, WPARAM wParam, LPARAM lParam) {
  HMENU restyled = nullptr;
  PopupWindows.TearingDown = true;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (record->SavedStyle != -1) {
      if (MenuRecord* submenu = RecordOfHandle(record->Submenu)) {
        submenu->Style = record->SavedStyle;
        restyled = record->Submenu;
      }
    }
    if (PopupWindows.Current == record) PopupWindows.Current = record->Parent;
    if (MenuTracking.LastPopupWindow == window) {
      HWND previous = record->SavedDropState;
      MenuTracking.LastPopupWindow = previous != nullptr && IsWindow(previous) ? previous : nullptr;
    }
    auto& list = PopupWindowList();
    for (PopupWindowRecord& other : list) {
      if (other.Parent == record) other.Parent = record->Parent;
    }
    list.remove_if([record](const PopupWindowRecord& entry) { return &entry == record; });
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  DestroyPopupMenuShadows(window);
  if (restyled != nullptr) SetAllMenuItemInfo(restyled);
  const LRESULT result = CallWindowProcW(SystemProcedure(window), window, message, wParam, lParam);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SystemProcedure(window)));
  if (--PopupWindows.OpenWindows <= 0) {
    PopupWindows.OpenWindows = 0;
    PopupWindows.CascadeStyle = 0;
    PopupWindows.Current = nullptr;
    PopupWindows.TearingDown = false;
    MenuTracking.LastPopupWindow = nullptr;
    SwitchSelectionFadeBackOn();
  }
  if (MenuTracking.CopyWindow == window) MenuTracking.CopyWindow = nullptr;
  return result;
}

// The item under the mouse keeps its selection while the mouse is still on it, so that
// moving onto a submenu does not clear the item that opened it.
WPARAM KeptSelection(HWND window, WPARAM wParam) {
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
  POINT point{};
  RECT frame{};
  if (menu == nullptr || !GetCursorPos(&point) || !GetWindowRect(window, &frame)) return wParam;
  const int item = MenuItemFromPoint(nullptr, menu, point);
  if (item < 0) return wParam;
  const bool opensSubmenu = GetSubMenu(menu, item) != nullptr;
  const RECT inside = opensSubmenu ? RECT{frame.left, frame.top + 1, frame.right, frame.bottom - 1}
                                   : RECT{frame.left + 1, frame.top + 1, frame.right - 2, frame.bottom - 1};
  return PtInRect(&inside, point) ? static_cast<WPARAM>(item) : wParam;
}

void ClearOtherSelections(HWND window, HMENU submenu) {
  for (PopupWindowRecord& other : PopupWindowList()) {
    if (other.Window != window && other.Submenu == submenu) {
      SendMessageW(other.Window, kMenuSelectItemMessage, static_cast<WPARAM>(-1), 0);
    }
  }
}

WPARAM SelectItem(HWND window, WPARAM wParam) {
  if (static_cast<int>(wParam) < 0) wParam = KeptSelection(window, wParam);
  const int position = static_cast<int>(wParam);
  MenuTracking.ItemSelected = position >= 0;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
  HMENU submenu = position >= 0 && menu != nullptr ? GetSubMenu(menu, position) : nullptr;
  if (submenu != nullptr) ClearOtherSelections(window, submenu);
  MenuTracking.OpeningSubmenu = submenu;
  MenuTracking.SubmenuOpening =
      position >= 0 && MenuTracking.TrackedMenu != nullptr && GetSubMenu(MenuTracking.TrackedMenu, position) != nullptr;
  // Noted before a running scroll suppresses the selection: the mouse leaving a held arrow
  // must still stop the scroll, or a frozen selection would keep it going to the end.
  if (window == MenuTracking.CopyWindow && !MenuTracking.CopyRebuilding && position >= 0) {
    NoteCopySelection(CopyRowKind(position));
  }
  if (MenuScroll.Running || MenuScroll.Finished) return static_cast<WPARAM>(-1);
  return wParam;
}

bool IsBarDropDown(const PopupWindowRecord& record) {
  return record.Parent == nullptr && record.Menu != nullptr && !record.Menu->IsPopup;
}

RECT WorkAreaOf(const RECT& rect) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

void AdjustOfficePosition(PopupWindowRecord& record, WINDOWPOS& position) {
  PopupPositionRequest request;
  request.X = position.x;
  request.Y = position.y;
  request.Width = position.cx;
  request.Height = position.cy;
  request.NoMove = (position.flags & SWP_NOMOVE) != 0;
  request.NoSize = (position.flags & SWP_NOSIZE) != 0;
  request.IsSubmenu = record.Parent != nullptr;
  // The system positions a popup in two changes, or (on some platforms) in the one that shows
  // it; the placement beside the parent runs once, on whichever comes first of the two.
  const bool placingChange = record.PositionChanges == 2 || (position.flags & SWP_SHOWWINDOW) != 0;
  request.PlaceBesideParent = placingChange && !record.PlacedBesideParent && !request.NoMove;
  request.PopupShift = MenuTracking.PopupShift;
  request.PopupWidth = MenuTracking.PopupWidth > 0 ? MenuTracking.PopupWidth : position.cx;
  request.PopupLeft = MenuTracking.PopupLeft;
  if (record.Parent != nullptr) {
    RECT parent{};
    GetWindowRect(record.Parent->Window, &parent);
    request.Parent = ToScreenRect(parent);
    request.ParentIsTrackedPopup = record.Parent->Parent == nullptr;
  }
  const RECT proposed{position.x, position.y, position.x + position.cx, position.y + position.cy};
  request.WorkArea = ToScreenRect(WorkAreaOf(proposed));
  const PopupPosition adjusted = AdjustPopupPosition(request);
  position.x = adjusted.X;
  position.y = adjusted.Y;
  position.cx = adjusted.Width;
  position.cy = adjusted.Height;
  if (request.PlaceBesideParent) record.PlacedBesideParent = true;
}

// A drop-down that shrinks or moves after it was first placed uncovers part of the bar
// under it; those strips of the bar are painted at once.
void RepaintUncoveredBar(HWND window, const WINDOWPOS& position) {
  HWND toolbar = MenuTracking.MenuBarToolbar;
  RECT before{};
  if (toolbar == nullptr || (position.flags & SWP_NOMOVE && position.flags & SWP_NOSIZE) ||
      !GetWindowRect(window, &before)) {
    return;
  }
  RECT after = before;
  if ((position.flags & SWP_NOMOVE) == 0) OffsetRect(&after, position.x - after.left, position.y - after.top);
  if ((position.flags & SWP_NOSIZE) == 0) {
    after.right = after.left + position.cx;
    after.bottom = after.top + position.cy;
  }
  RECT bar{};
  GetWindowRect(toolbar, &bar);
  std::vector<ScreenRect> strips = UncoveredStrips(ToScreenRect(before), ToScreenRect(after));
  if (after.top > before.top && !strips.empty()) strips.pop_back();  // the top strip comes last; the bar is above
  for (const ScreenRect& strip : strips) {
    RECT area{strip.Left, strip.Top, strip.Right, strip.Bottom};
    RECT onBar{};
    if (!IntersectRect(&onBar, &area, &bar)) continue;
    MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&onBar), 2);
    SendMessageW(toolbar, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(toolbar, &onBar, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageW(toolbar, WM_SETREDRAW, FALSE, 0);
  }
}

// The rectangle a position request leaves the window in.
RECT ProposedRect(HWND window, const WINDOWPOS& position) {
  RECT rect{};
  GetWindowRect(window, &rect);
  if ((position.flags & SWP_NOMOVE) == 0) OffsetRect(&rect, position.x - rect.left, position.y - rect.top);
  if ((position.flags & SWP_NOSIZE) == 0) {
    rect.right = rect.left + position.cx;
    rect.bottom = rect.top + position.cy;
  }
  return rect;
}

// A drop-down's first placement repaints, once, what the last drop-down covered and this one
// does not, and keeps its own rectangle for the next. The move itself is not drawn; where the
// system places and shows the popup in one change (Wine), it is drawn, or it would show empty.
void FirstDropDownPlacement(HWND window, WINDOWPOS& position) {
  RestoreAreaUnder(ProposedRect(window, position), window);
  if ((position.flags & SWP_SHOWWINDOW) == 0) position.flags |= SWP_NOREDRAW;
}

void PositionChanging(HWND window, PopupWindowRecord& record, WINDOWPOS& position) {
  ++record.PositionChanges;
  // A hidden window is closing with its cascade: it casts no shadow any more.
  if ((position.flags & SWP_HIDEWINDOW) != 0) PopupWindows.TearingDown = true;
  // A scrolling copy keeps its place and size and is not drawn by the system. A change that
  // shows or hides it is its placement (Wine shows an edited copy again in one change) or its
  // closing, and goes through whole: frozen, it would show in the wrong place or leave its
  // image on screen.
  if (window == MenuTracking.CopyWindow && MenuScroll.Running &&
      (position.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) == 0) {
    position.flags |= kFrozenPosition;
    return;
  }
  if (IsBarDropDown(record) && !Dwm.DwmCompositionEnabled) {
    if (record.PositionChanges == 1) {
      FirstDropDownPlacement(window, position);
    } else {
      RepaintUncoveredBar(window, position);
    }
  }
  if (IsOfficeStyle(PopupWindows.CascadeStyle)) AdjustOfficePosition(record, position);
}

void PositionChanged(HWND window, PopupWindowRecord& record, const WINDOWPOS& position) {
  const bool placed = record.PositionChanges >= 2 || (position.flags & SWP_SHOWWINDOW) != 0;
  if (placed && !PopupWindows.TearingDown) PlacePopupMenuWindow(window);
}

}  // namespace

ToolkitRecordList<PopupWindowRecord>& PopupWindowList() {
  return ToolkitList<PopupWindowRecord>(ToolkitListId::PopupWindows);
}

bool PointOnOpenPopup(POINT point) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (const PopupWindowRecord& record : PopupWindowList()) {
    RECT rect{};
    if (GetWindowRect(record.Window, &rect) && PointInRectInclusive(ToScreenRect(rect), point.x, point.y)) {
      return true;
    }
  }
  return false;
}

void AnnounceTrackedMenu(HMENU menu) {
  MenuTrackingHook.TrackedMenu = menu;
  MenuTrackingHook.PopupWindowProcedure = menu != nullptr ? &PopupMenuWindowProc : nullptr;
}

void PlacePopupMenuWindow(HWND window) {
  if (SystemFacts.SystemDropShadow == 0) return;
  HWND parent = nullptr;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    for (const PopupWindowRecord& record : PopupWindowList()) {
      if (record.Window == window && record.Parent != nullptr) parent = record.Parent->Window;
    }
  }
  CastPopupMenuShadows(window, static_cast<std::uint32_t>(PopupWindows.CascadeStyle), parent);
}

LRESULT CALLBACK PopupMenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PopupWindowRecord* record = RecordOfWindow(window);
  if (record == nullptr) record = RegisterPopupWindow(window);
  switch (message) {
    case WM_DESTROY:
      return ForgetPopupWindow(window, record, message, wParam, lParam);
    case kMenuSelectItemMessage:
      wParam = SelectItem(window, wParam);
      break;
    case WM_WINDOWPOSCHANGING:
      PositionChanging(window, *record, *reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = CallWindowProcW(SystemProcedure(window), window, message, wParam, lParam);
      PositionChanged(window, *record, *reinterpret_cast<const WINDOWPOS*>(lParam));
      return result;
    }
    default: {
      LRESULT result = 0;
      if (PaintPopupWindow(window, *record, message, wParam, lParam, result)) return result;
      break;
    }
  }
  return CallWindowProcW(SystemProcedure(window), window, message, wParam, lParam);
}

void RestoreAreaUnderPopup(HWND window) {
  RECT now{};
  if (GetWindowRect(window, &now)) RestoreAreaUnder(now, window);
}

void RestoreAreaUnder(const RECT& now, HWND window) {
  const RECT& saved = PopupWindows.SavedArea;
  if (!IsRectEmpty(&saved)) {
    for (const ScreenRect& strip : UncoveredStrips(ToScreenRect(saved), ToScreenRect(now))) {
      RedrawWindowsUnderRect(RECT{strip.Left, strip.Top, strip.Right, strip.Bottom}, window);
    }
  }
  PopupWindows.SavedArea = now;
}

namespace {
struct RedrawArea {
  HRGN Remaining = nullptr;
  HWND Except = nullptr;
};
}  // namespace

BOOL CALLBACK RedrawUnderRectProc(HWND window, LPARAM area) {
  auto* redraw = reinterpret_cast<RedrawArea*>(area);
  RECT bounds{};
  if (window == redraw->Except || !IsWindowVisible(window) || !GetWindowRect(window, &bounds)) return TRUE;
  // Only our own windows: an immediate repaint of another program's window waits for that
  // program, and a busy one would freeze the menu. The system repaints those itself.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  HRGN part = CreateRectRgnIndirect(&bounds);
  if (CombineRgn(part, part, redraw->Remaining, RGN_AND) != NULLREGION) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OffsetRgn(part, -origin.x, -origin.y);
    RedrawWindow(window, nullptr, part,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW |
                     RDW_FRAME);
    HRGN covered = CreateRectRgnIndirect(&bounds);
    CombineRgn(redraw->Remaining, redraw->Remaining, covered, RGN_DIFF);
    DeleteObject(covered);
  }
  DeleteObject(part);
  return TRUE;
}

void RedrawWindowsUnderRect(const RECT& rect, HWND window) {
  if (IsRectEmpty(&rect)) return;
  RedrawArea area{CreateRectRgnIndirect(&rect), window};
  EnumWindows(RedrawUnderRectProc, reinterpret_cast<LPARAM>(&area));
  DeleteObject(area.Remaining);
}

void RedrawSavedPopupArea() {
  RedrawWindowsUnderRect(PopupWindows.SavedArea, nullptr);
  PopupWindows.SavedArea = RECT{};
}

void SetAllMenuItemInfo(HMENU menu) {
  if (menu == nullptr || !IsMenu(menu)) return;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = nullptr;
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  }
}
