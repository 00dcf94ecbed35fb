#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/skins/skin_refresh.h"

namespace {
ToolkitRecordList<HWND>& ColourNotifyList() { return ToolkitList<HWND>(ToolkitListId::ColourNotify); }

bool IsVisible(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Every menu's background buffer is painted again at its next paint.
void ForgetMenuRenderSizes() {
  ToolkitLockGuard guard(ToolkitLock::Menu);
  for (MenuRecord& menu : ToolkitList<MenuRecord>(ToolkitListId::Menus)) {
    menu.RenderWidth = 0;
    menu.RenderHeight = 0;
  }
}

void RepaintHostWindows() {
  for (const HostWindowRecord& host : ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows))
    if (host.Window != nullptr) RedrawWindow(host.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
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

std::int32_t SetUIColourMode(std::int32_t mode) {
  if (StoreUIColourMode(mode) == 0) return 0;
  EnumWindows(NotifyWindowColourProc, static_cast<LPARAM>(GetCurrentProcessId()));
  FreeBlitCaches();
  RenderRebarBackgrounds(1);
  RetintMenuImages(0, 0);
  ForgetMenuRenderSizes();
  SetColourModeName(ColourModeWord(mode));
  return 1;
}

std::int32_t SetUIColour(std::uint32_t style, std::int32_t id, std::uint32_t colour, std::int32_t mode,
                         std::uint8_t noRefresh) {
  if (StoreUIColour(style, id, colour, mode) == 0) return 0;
  if (noRefresh == 0) {
    FreeBlitCaches();
    RenderRebarBackgrounds(1);
    RetintMenuImages(0, 0);
    RepaintHostWindows();
    ForgetMenuRenderSizes();
  }
  return 1;
}

std::int32_t SetColourModeName(TextView name) {
  StoreColourModeName(name);
  ApplySkinToAllWindows(0);
  return 1;
}
