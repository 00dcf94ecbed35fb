#include "veloui/skins/skin_refresh.h"

#include <algorithm>

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/skins/core/skin_records.h"

namespace {
constexpr UINT kOtherThreadWait = 2000;  // ms

ToolkitRecordList<HWND>& ColourNotifyList() { return ToolkitList<HWND>(ToolkitListId::ColourNotify); }

bool IsOtherThreadWindow(HWND window) { return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId(); }

// Another thread's window is only ever run by that thread: the wait for it is bounded, and a
// thread that let one send time out gets no further sends of this broadcast, so that a hung
// window elsewhere holds the GUI thread up once at most.
void SendToOtherThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SkinNotifyContext& notify) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (std::find(notify.HungThreads.begin(), notify.HungThreads.end(), thread) != notify.HungThreads.end()) return;
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kOtherThreadWait, &ignored) == 0)
    notify.HungThreads.push_back(thread);
}

// Only this thread's windows have their drawing switched off around the refresh. Another
// thread's window could not be given it back without waiting for that thread, and one that let a
// send time out would stay switched off for good (a timed-out send is still delivered later);
// such a window is only invalidated.
void SwitchRedraw(HWND window, WPARAM redraw) {
  if (!IsOtherThreadWindow(window)) SendMessageW(window, WM_SETREDRAW, redraw, 0);
}

// Painting now would send the paint messages and wait for them: another thread's window is only
// invalidated and paints when its thread gets to it.
void Repaint(HWND window) {
  const UINT now = IsOtherThreadWindow(window) ? RDW_ERASE : RDW_UPDATENOW | RDW_ERASENOW;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | now);
}
}  // namespace

BOOL CALLBACK NotifySkinWindowProc(HWND window, LPARAM context) {
  auto& notify = *reinterpret_cast<SkinNotifyContext*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != notify.ProcessId) return TRUE;
  ColourNotifyList().clear();
  notify.Parent = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0 ? window : nullptr;
  EnumChildWindows(window, NotifySkinChildProc, context);
  for (HWND collected : ColourNotifyList()) {
    SwitchRedraw(collected, 1);
    Repaint(collected);
  }
  return TRUE;
}

BOOL CALLBACK NotifySkinChildProc(HWND child, LPARAM context) {
  auto& notify = *reinterpret_cast<SkinNotifyContext*>(context);
  if (notify.Parent != nullptr && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0 &&
      GetParent(child) == notify.Parent) {
    ColourNotifyList().push_back(child);
    SwitchRedraw(child, 0);
  }
  const auto skin = static_cast<LPARAM>(notify.Skin);
  if (IsOtherThreadWindow(child)) {
    SendToOtherThread(child, kSkinRefreshMessage, 0, skin, notify);
    return TRUE;
  }
  // Straight to the window's procedure, so the message arrives before the repaint.
  const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC));
  if (procedure != nullptr) CallWindowProcW(procedure, child, kSkinRefreshMessage, 0, skin);
  return TRUE;
}

std::int32_t ApplySkinToAllWindows(std::uintptr_t skin) {
  if (skin != 0 && FindSkinRecord(skin) == nullptr) return 0;
  SkinNotifyContext context{GetCurrentProcessId(), skin, nullptr, {}};
  EnumWindows(NotifySkinWindowProc, reinterpret_cast<LPARAM>(&context));
  return 1;
}
