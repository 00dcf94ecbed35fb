#include "veloui/skins/skin_refresh.h"

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/skins/core/skin_records.h"

namespace {
constexpr UINT kOtherThreadWait = 2000;  // ms

ToolkitRecordList<HWND>& ColourNotifyList() { return ToolkitList<HWND>(ToolkitListId::ColourNotify); }
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
    SendMessageW(collected, WM_SETREDRAW, 1, 0);
    RedrawWindow(collected, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
  }
  return TRUE;
}

BOOL CALLBACK NotifySkinChildProc(HWND child, LPARAM context) {
  const auto& notify = *reinterpret_cast<const SkinNotifyContext*>(context);
  if (notify.Parent != nullptr && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0 &&
      GetParent(child) == notify.Parent) {
    ColourNotifyList().push_back(child);
    SendMessageW(child, WM_SETREDRAW, 0, 0);
  }
  const auto skin = static_cast<LPARAM>(notify.Skin);
  if (GetWindowThreadProcessId(child, nullptr) != GetCurrentThreadId()) {
    // Another thread's window is only ever run by that thread; the wait for it is bounded.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(child, kSkinRefreshMessage, 0, skin, SMTO_NORMAL | SMTO_ABORTIFHUNG, kOtherThreadWait, &ignored);
    return TRUE;
  }
  // Straight to the window's procedure, so the message arrives before the repaint.
  const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC));
  if (procedure != nullptr) CallWindowProcW(procedure, child, kSkinRefreshMessage, 0, skin);
  return TRUE;
}

std::int32_t ApplySkinToAllWindows(std::uintptr_t skin) {
  if (skin != 0 && FindSkinRecord(skin) == nullptr) return 0;
  SkinNotifyContext context{GetCurrentProcessId(), skin, nullptr};
  EnumWindows(NotifySkinWindowProc, reinterpret_cast<LPARAM>(&context));
  return 1;
}
