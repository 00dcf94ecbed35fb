#include <windows.h>

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/ui_colours.h"

namespace {
ToolkitRecordList<HWND>& ColourNotifyList() { return ToolkitList<HWND>(ToolkitListId::ColourNotify); }

bool IsVisible(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
}  // namespace

BOOL CALLBACK NotifyWindowColourProc(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != static_cast<DWORD>(processId)) return TRUE;
  ColourNotifyList().clear();
  const HWND parent = IsVisible(window) ? window : nullptr;
  EnumChildWindows(window, NotifyChildColourProc, reinterpret_cast<LPARAM>(parent));
  for (HWND child : ColourNotifyList()) SendMessageW(child, WM_SETREDRAW, 1, 0);
  return TRUE;
}

BOOL CALLBACK NotifyChildColourProc(HWND child, LPARAM parent) {
  const HWND owner = reinterpret_cast<HWND>(parent);
  // The enumeration visits every descendant; only the visible direct children are collected.
  if (owner != nullptr && IsVisible(child) && GetParent(child) == owner) {
    ColourNotifyList().push_back(child);
    SendMessageW(child, WM_SETREDRAW, 0, 0);
  }
  return TRUE;
}
