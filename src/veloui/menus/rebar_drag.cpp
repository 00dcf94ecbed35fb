#include "veloui/menus/rebar_drag.h"

#include <commctrl.h>

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/core/band_drag_rules.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

RebarHookState RebarHooks;

namespace {

bool IsToolkitRebar(HWND window) {
  return window != nullptr && FindRebarRecord(reinterpret_cast<std::intptr_t>(window)) != nullptr;
}

POINT ToRebar(HWND rebar, POINT screen) {
  ScreenToClient(rebar, &screen);
  return screen;
}

void EndGripperDrag() {
  if (RebarHooks.CursorHook != nullptr) UnhookWindowsHookEx(RebarHooks.CursorHook);
  RebarHooks.CursorHook = nullptr;
  HWND rebar = RebarHooks.DragRebar;
  RebarHooks.DragRebar = nullptr;
  RebarHooks.DragBand = -1;
  if (GetCapture() == rebar) ReleaseCapture();
  // The drag is over whether or not its rebar outlived it (a command may have freed it).
  HostWindows.Sizing = false;
  if (rebar == nullptr || !IsWindow(rebar)) return;
  SendMessageW(rebar, WM_SETREDRAW, TRUE, 0);
  RECT rect{};
  GetWindowRect(rebar, &rect);
  MapWindowPoints(nullptr, GetParent(rebar), reinterpret_cast<POINT*>(&rect), 2);
  MoveWindow(rebar, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  RedrawWindow(rebar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void StartGripperDrag(HWND rebar, int band, POINT start) {
  if (RebarHooks.CursorHook == nullptr) {
    RebarHooks.CursorHook = SetWindowsHookExW(WH_CALLWNDPROCRET, RebarDragCursorHook, nullptr, GetCurrentThreadId());
  }
  if (RebarHooks.DragCursor == nullptr) RebarHooks.DragCursor = Toolkit.RebarDragCursor;
  if (RebarHooks.DragCursor == nullptr) RebarHooks.DragCursor = LoadCursorW(nullptr, IDC_SIZENS);
  SetForegroundWindow(GetAncestor(rebar, GA_ROOT));
  SetCursor(RebarHooks.DragCursor);
  SetCapture(rebar);
  RebarHooks.DragRebar = rebar;
  RebarHooks.DragBand = band;
  RebarHooks.DragStart = start;
}

int BandIndexOfGripper(HWND rebar, POINT client) {
  RBHITTESTINFO hit{};
  hit.pt = client;
  const auto band = static_cast<int>(SendMessageW(rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return hit.flags == RBHT_GRABBER ? band : -1;
}

// The toolbar in a band that wrapped into more or fewer rows gets a child height to match.
void FitBandToolbarRows(HWND rebar, int index) {
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_CHILD;
  if (index < 0 || !SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) return;
  ToolbarRecord* toolbar = FindToolbarRecord(reinterpret_cast<std::intptr_t>(info.hwndChild));
  if (toolbar == nullptr) return;
  const int rows = static_cast<int>(SendMessageW(toolbar->Window, TB_GETROWS, 0, 0));
  if (rows == toolbar->Rows || rows <= 0) return;
  toolbar->Rows = rows;
  info.fMask = RBBIM_CHILDSIZE;
  SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
  const UINT buttonHeight = HIWORD(static_cast<DWORD>(SendMessageW(toolbar->Window, TB_GETBUTTONSIZE, 0, 0)));
  info.cyMinChild = static_cast<UINT>(rows) * buttonHeight;
  info.cyChild = info.cyMinChild;
  SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
  GetRebarHeight(reinterpret_cast<std::intptr_t>(rebar));
}

}  // namespace

LRESULT CALLBACK RebarMouseHook(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(data);
    if ((message == WM_LBUTTONDOWN || message == WM_NCLBUTTONDOWN) && RebarHooks.DragRebar == nullptr &&
        IsToolkitRebar(mouse->hwnd)) {
      const int band = BandIndexOfGripper(mouse->hwnd, ToRebar(mouse->hwnd, mouse->pt));
      if (band >= 0) StartGripperDrag(mouse->hwnd, band, mouse->pt);
    } else if (message == WM_MOUSEMOVE && RebarHooks.DragRebar != nullptr) {
      const POINT at = ToRebar(RebarHooks.DragRebar, mouse->pt);
      MoveRebarBand(RebarHooks.DragRebar, RebarHooks.DragBand, at.x, at.y);
    } else if ((message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) && RebarHooks.DragRebar != nullptr) {
      EndGripperDrag();
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK RebarDragCursorHook(int code, WPARAM flag, LPARAM data) {
  if (code == HC_ACTION && RebarHooks.DragRebar != nullptr) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(data);
    if (call->message == WM_SETCURSOR && RebarHooks.DragCursor != nullptr) SetCursor(RebarHooks.DragCursor);
  }
  return CallNextHookEx(nullptr, code, flag, data);
}

LRESULT CALLBACK RebarBandDragMouseHook(int code, WPARAM message, LPARAM data) {
  HWND rebar = RebarHooks.BandDragRebar;
  if (code == HC_ACTION && rebar != nullptr && IsWindow(rebar)) {
    const auto index = static_cast<int>(SendMessageW(rebar, RB_IDTOINDEX, RebarHooks.BandDragId, 0));
    const auto rows = static_cast<int>(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0));
    if (rows != RebarHooks.LastRowCount) {
      SendMessageW(rebar, WM_SETREDRAW, FALSE, 0);
      LayoutRebarBands(GetParent(rebar));
      SendMessageW(rebar, WM_SETREDRAW, TRUE, 0);
      RebarHooks.LastRowCount = rows;
    }
    FitBandToolbarRows(rebar, index);
  }
  return CallNextHookEx(nullptr, code, message, data);
}

void RemoveRebarHooks() {
  if (RebarHooks.DragRebar != nullptr) EndGripperDrag();
  for (HHOOK* hook : {&RebarHooks.MouseHook, &RebarHooks.CursorHook, &RebarHooks.BandDragHook}) {
    if (*hook != nullptr) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
  RebarHooks.BandDragRebar = nullptr;
  RebarHooks.LastRowCount = -1;
}

void MoveRebarBand(HWND rebar, int band, int /*x*/, int y) {
  if (rebar == nullptr || band < 0) return;
  const RECT rect = GetRebarBandRect(rebar, band);
  const int rowHeight = rect.bottom - rect.top;
  if (rowHeight <= 0) return;
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE;
  if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info))) return;
  // Half a row past the band's edge moves it: down starts a row of its own, up joins the
  // row above.
  const bool breaks = (info.fStyle & RBBS_BREAK) != 0;
  UINT style = info.fStyle;
  if (y > rect.bottom + rowHeight / 2 && !breaks) {
    style |= RBBS_BREAK;
  } else if (y < rect.top - rowHeight / 2 && breaks && band > 0) {
    style &= ~static_cast<UINT>(RBBS_BREAK);
  } else {
    return;
  }
  const int before = static_cast<int>(SendMessageW(rebar, RB_GETBARHEIGHT, 0, 0));
  // The host repaints only the rebar's update region while the window is resized with it.
  HostWindows.Sizing = true;
  SendMessageW(rebar, WM_SETREDRAW, FALSE, 0);
  info.fStyle = style;
  SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
  SendMessageW(rebar, WM_SETREDRAW, TRUE, 0);
  const int after = static_cast<int>(SendMessageW(rebar, RB_GETBARHEIGHT, 0, 0));
  HWND topLevel = GetAncestor(rebar, GA_ROOT);
  if (after != before && topLevel != nullptr && !IsZoomed(topLevel)) {
    RECT window{};
    GetWindowRect(topLevel, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(topLevel, MONITOR_DEFAULTTONEAREST), &monitor);
    const int current = window.bottom - window.top;
    const int height = WindowHeightForBarChange(current, after - before, window.top, monitor.rcWork.bottom);
    if (height != current) {
      SetWindowPos(topLevel, nullptr, 0, 0, window.right - window.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}
