#include <string>

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/animation_thread.h"
#include "veloui/menus/drop_shadow.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"
#include "veloui/skins/buttonex/buttonex.h"
#include "veloui/skins/panelex/panelex_support.h"
#include "veloui/skins/splitterex/splitterex.h"
#include "veloui/skins/text_control/text_control.h"
#include "veloui/toolkit/toolkit.h"

namespace {
void FreeControlFamilies() {
  FreeRebar(-1);
  WriteDebugLog(u"freed rebars");
  FreeSkinnedToolbar(-1);
  WriteDebugLog(u"freed toolbars");
  FreeButtonEx(-1);
  WriteDebugLog(u"freed buttons");
  FreeSkinnedMenu(-1);
  WriteDebugLog(u"freed menus");
  FreeTextControl(-1);
  WriteDebugLog(u"freed textcontrols");
  FreeSplitterEx(-1);
  WriteDebugLog(u"freed splitterexs");
  FreePanelEx(-1);
  WriteDebugLog(u"freed panels");
}

void RemoveThreadHooks() {
  RemoveKeyModeMouseHook();
  for (HHOOK hook : {Toolkit.CallWndProcHook, Toolkit.KeyboardHook, Toolkit.GetMessageHook})
    if (hook != nullptr) UnhookWindowsHookEx(hook);
}

HWND WindowOfKey(const Text& key) {
  std::uintptr_t handle = 0;
  for (char16_t c : key) {
    if (c < u'0' || c > u'9') return nullptr;
    handle = handle * 10 + static_cast<std::uintptr_t>(c - u'0');
  }
  return reinterpret_cast<HWND>(handle);
}

void RestoreWindowProcedures() {
  for (const HostWindowRecord& host : ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows)) {
    if (host.PreviousProcedure != nullptr && IsWindow(host.Window))
      SetWindowLongPtrW(host.Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(host.PreviousProcedure));
  }
  ToolkitLockGuard guard(ToolkitLock::Subclass);
  for (const auto& [key, child] : ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass)) {
    const HWND window = WindowOfKey(key);
    if (window != nullptr && child.PreviousProcedure != nullptr && IsWindow(window))
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(child.PreviousProcedure));
  }
}

bool OwnedByProcess(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == static_cast<DWORD>(processId);
}
}  // namespace

BOOL CALLBACK HideOwnWindowsProc(HWND window, LPARAM processId) {
  if (OwnedByProcess(window, processId)) ShowWindow(window, SW_HIDE);
  return TRUE;
}

BOOL CALLBACK DestroyOwnWindowsProc(HWND window, LPARAM processId) {
  if (OwnedByProcess(window, processId)) DestroyWindow(window);
  return TRUE;
}

std::int32_t FreeToolkit() {
  // Serves messages sent to this thread while it waits: the animation thread sends to our
  // windows every frame, so a plain sleep could leave both threads waiting on each other.
  EndAnimationThread();
  const auto process = static_cast<LPARAM>(GetCurrentProcessId());
  EnumWindows(HideOwnWindowsProc, process);
  FreeControlFamilies();
  FreeDropShadowPieces();
  RemoveThreadHooks();
  RestoreWindowProcedures();
  EnumWindows(DestroyOwnWindowsProc, process);
  ReleaseUxTheme();
  ReleaseGdiPlus();
  ReleaseDwm();
  return 0;
}
