#include "veloui/menus/host_install.h"

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/host_window_proc.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/track_windows_hook.h"

#include <cstring>

namespace {
// NONCLIENTMETRICSW without the padded-border field, the size every system accepts.
constexpr UINT kNonClientMetricsSize = 500;
using SetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

template <class Procedure>
Procedure BoundAs(FARPROC address) {
  Procedure procedure = nullptr;
  static_assert(sizeof(procedure) == sizeof(address));
  std::memcpy(&procedure, &address, sizeof(procedure));
  return procedure;
}
}  // namespace

void InstallHostWindowProc(HWND window) {
  if (window == nullptr || !IsWindow(window)) return;
  auto& hosts = ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows);
  for (const HostWindowRecord& host : hosts) {
    if (host.Window == window) return;
  }
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostWindowProc)));
  hosts.push_back({window, &HostWindowProc, previous});
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPCHILDREN);
}

void EnsureMenuThreadHooks() {
  if (Toolkit.CallWndProcHook == nullptr) {
    Toolkit.CallWndProcHook = SetWindowsHookExW(WH_CALLWNDPROC, TrackWindowsHookProc, nullptr, GetCurrentThreadId());
  }
  if (Toolkit.KeyboardHook == nullptr) {
    // Alt, F10, arrows, Escape and Return on the menu bar.
    Toolkit.KeyboardHook = SetWindowsHookExW(WH_KEYBOARD, MenuKeyboardHookProc, nullptr, GetCurrentThreadId());
  }
}

HFONT EnsureMenuFont() {
  if (Toolkit.MenuFont != nullptr) return Toolkit.MenuFont;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
    Toolkit.MenuFont = CreateFontIndirectW(&metrics.lfMenuFont);
  }
  if (Toolkit.MenuFont == nullptr) Toolkit.MenuFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return Toolkit.MenuFont;
}

void SwitchOffVisualTheme(HWND window) {
  if (UxTheme.Library == nullptr || UxTheme.SetWindowTheme == nullptr) return;
  BoundAs<SetWindowThemeProc>(UxTheme.SetWindowTheme)(window, L"", L"");
}
