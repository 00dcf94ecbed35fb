#include "veloui/foundation/system_binding.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/menus/core/child_kinds.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/track_windows_hook.h"

MenuTrackingHookState MenuTrackingHook;

void ResetMenuTrackingHook() { MenuTrackingHook = MenuTrackingHookState{}; }

bool TitleSwitchUnderWay() {
  const MenuTrackingHookState& state = MenuTrackingHook;
  return state.TitleSwitchPending && state.SwitchHotIndex != -1 && state.SwitchHotIndex != state.LastIndexShown;
}

void ClearPendingTitleSwitch() {
  MenuTrackingHook.TitleSwitchPending = false;
  MenuTrackingHook.SwitchHotIndex = -1;
  MenuTrackingHook.LastIndexShown = -1;
}

namespace {
constexpr int kClassNameLength = 256;
constexpr UINT kTitleRepaint = RDW_UPDATENOW | RDW_ERASENOW;  // 0x300

Text ClassNameOf(HWND window) {
  wchar_t name[kClassNameLength] = {};
  const int length = window != nullptr ? GetClassNameW(window, name, kClassNameLength) : 0;
  return Text(reinterpret_cast<const char16_t*>(name), static_cast<std::size_t>(length > 0 ? length : 0));
}

bool IsPopupClass(const Text& name) { return SameClassName(name, u"#32768"); }

// Message-only windows share one parent, the system's message window, whatever the
// creation parameters say; any message-only window shows which one it is.
bool IsMessageOnly(HWND window, const CREATESTRUCTW* creation) {
  if (creation != nullptr && creation->hwndParent == HWND_MESSAGE) return true;
  HWND parent = GetAncestor(window, GA_PARENT);
  if (parent == nullptr || parent == GetDesktopWindow()) return false;
  HWND message_only = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr);
  return message_only != nullptr && GetAncestor(message_only, GA_PARENT) == parent;
}

void AdoptPopupWindow(HWND popup) {
  MenuTrackingHookState& state = MenuTrackingHook;
  const bool switching = TitleSwitchUnderWay();
  if (!Dwm.DwmCompositionEnabled) {
    // The class style is shared by every popup: a title switch must not restore a stale screen.
    const ULONG_PTR style = GetClassLongPtrW(popup, GCL_STYLE);
    SetClassLongPtrW(popup, GCL_STYLE, switching ? (style & ~static_cast<ULONG_PTR>(CS_SAVEBITS)) : (style | CS_SAVEBITS));
  }
  state.OpenPopupWindow = popup;
  if (state.PopupWindowProcedure != nullptr) {
    state.SystemPopupProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(popup, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.PopupWindowProcedure)));
  }
  if (switching && state.MenuBarToolbar != nullptr) {
    SendMessageW(state.MenuBarToolbar, TB_SETHOTITEM, static_cast<WPARAM>(state.SwitchHotIndex), 0);
    SendMessageW(state.MenuBarToolbar, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(state.MenuBarToolbar, nullptr, nullptr, kTitleRepaint);
    SendMessageW(state.MenuBarToolbar, WM_SETREDRAW, FALSE, 0);
    state.LastIndexShown = state.SwitchHotIndex;
  }
}

void OnWindowCreated(HWND window, const CREATESTRUCTW* creation) {
  const Text name = ClassNameOf(window);
  const bool tracking = MenuTrackingHook.TrackedMenu != nullptr;
  if (tracking && IsPopupClass(name)) AdoptPopupWindow(window);
  if (SameClassName(name, u"SysShadow")) {
    // The toolkit casts its own menu shadow; other menus keep the system's.
    if (tracking) DestroyWindow(window);
    return;
  }
  if (IsNeverSubclassedClass(name)) return;
  if (IsMessageOnly(window, creation)) return;
  const std::uint32_t style = creation != nullptr ? static_cast<std::uint32_t>(creation->style)
                                                  : static_cast<std::uint32_t>(GetWindowLongW(window, GWL_STYLE));
  SubclassChildWindow(window, ChildKindOfClass(name, ClassNameOf(GetParent(window)), style));
}

void OnWindowDestroyed(HWND window) {
  if (!IsPopupClass(ClassNameOf(window))) return;
  DestroyPopupMenuShadows(window);
  if (MenuTrackingHook.OpenPopupWindow == window) MenuTrackingHook.OpenPopupWindow = nullptr;
}

void NoteSavedScreenStale(const CWPSTRUCT& call) {
  MenuTrackingHookState& state = MenuTrackingHook;
  if (Dwm.DwmCompositionEnabled || !state.SavedScreenOption || state.SavedScreenStale != -1) return;
  if (state.OpenPopupWindow == nullptr || (call.message != WM_PAINT && call.message != WM_NOTIFY)) return;
  if (IsPopupClass(ClassNameOf(call.hwnd))) return;
  RECT touched{}, popup{}, common{};
  if (GetWindowRect(call.hwnd, &touched) && GetWindowRect(state.OpenPopupWindow, &popup) &&
      IntersectRect(&common, &touched, &popup))
    state.SavedScreenStale = 1;
}
}  // namespace

LRESULT CALLBACK TrackWindowsHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && lParam != 0) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    NoteSavedScreenStale(call);
    if (call.message == WM_CREATE) {
      OnWindowCreated(call.hwnd, reinterpret_cast<const CREATESTRUCTW*>(call.lParam));
    } else if (call.message == WM_DESTROY) {
      OnWindowDestroyed(call.hwnd);
    } else if (call.message == WM_KILLFOCUS && call.hwnd == MenuTracking.MenuBarToolbar && BarKeyModeActive()) {
      // The bar in key mode lost the keyboard (another window, a click on a field): the mode ends.
      DropBarKeyMode();
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
