#include "veloui/menus/host_window_proc.h"

#include <commctrl.h>

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/host_handlers.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/toolbar_extras.h"

HostWindowGlobals HostWindows;

namespace {


WNDPROC PreviousProcedureOf(HWND window) {
  for (const HostWindowRecord& host : ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows)) {
    if (host.Window == window) return host.PreviousProcedure;
  }
  return nullptr;
}

// The window is gone; a later window given the same handle must not inherit its procedure.
void ForgetHostWindow(HWND window) {
  ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows).remove_if(
      [window](const HostWindowRecord& host) { return host.Window == window; });
}

LRESULT HostNotify(HWND window, NMHDR* header, LRESULT previous) {
  switch (static_cast<int>(header->code)) {
    case static_cast<int>(TTN_GETDISPINFOW):
      return HostTooltipText(header, false, previous);
    case static_cast<int>(TTN_GETDISPINFOA):
      return HostTooltipText(header, true, previous);
    case static_cast<int>(RBN_LAYOUTCHANGED):
      HostLayoutChanged(window, header->hwndFrom);
      return previous;
    case static_cast<int>(RBN_BEGINDRAG):
      HostBandDrag(window, header, true);
      return previous;
    case static_cast<int>(RBN_ENDDRAG):
      HostBandDrag(window, header, false);
      return previous;
    case static_cast<int>(RBN_CHEVRONPUSHED):
      return HostChevronPushed(window, header, previous);
    case static_cast<int>(TBN_DROPDOWN):
      if (DropToolbarButtonMenu(window, header)) return TBDDRET_DEFAULT;
      return HostTitleDropDown(window, header, previous);
    case static_cast<int>(TBN_HOTITEMCHANGE):
      return HostTitleHotItemChange(window, header, previous);
    case static_cast<int>(NM_CUSTOMDRAW):
      return HostCustomDraw(window, header, previous);
    default:
      return previous;
  }
}

}  // namespace

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previousProcedure = PreviousProcedureOf(window);
  // A window that lost its record still behaves as a window.
  if (previousProcedure == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  // A selection that a scrollable copy's rebuild moves by itself is no one's choice: neither the
  // owner nor the tracking hears of it.
  if (message == WM_MENUSELECT && MenuTracking.CopyRebuilding && MenuTracking.CopyMenu != nullptr &&
      reinterpret_cast<HMENU>(lParam) == MenuTracking.CopyMenu) {
    return 0;
  }
  const LRESULT previous = CallWindowProcW(previousProcedure, window, message, wParam, lParam);
  if (message == KeyboardTitleMessage()) {
    HostKeyboardTitle(window, reinterpret_cast<HWND>(wParam), static_cast<int>(lParam));
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_DROPDOWN || HIWORD(wParam) == CBN_CLOSEUP) {
        HostGadgetDropped(reinterpret_cast<HWND>(lParam), HIWORD(wParam) == CBN_DROPDOWN);
      }
      return previous;
    case WM_THEMECHANGED:
      HostThemeChanged();
      return previous;
    case WM_DWMCOMPOSITIONCHANGED:
      ReadDwmComposition();
      return previous;
    case WM_ACTIVATE:
      HostActivate(window, wParam);
      return 0;
    case WM_SIZING:
      HostSizing(window, true);
      return previous;
    case WM_EXITSIZEMOVE:
      HostSizing(window, false);
      return previous;
    case WM_SIZE:
      HostSize(window, wParam, lParam);
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS) {
        HostMenuMetricsChanged();
        return 0;
      }
      if (wParam == SPI_SETDROPSHADOW) {
        BOOL shadow = FALSE;
        SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0);
        SystemFacts.SystemDropShadow = shadow ? 1 : 0;
      }
      return previous;
    case WM_NOTIFY:
      return HostNotify(window, reinterpret_cast<NMHDR*>(lParam), previous);
    case WM_MEASUREITEM:
      return HostMeasureItem(window, lParam, previous);
    case WM_DRAWITEM:
      return HostDrawItem(window, lParam, previous);
    case WM_NCDESTROY:
      ForgetHostWindow(window);
      return previous;
    case WM_MENUSELECT:
      // Sent, never queued: the tracking hooks cannot see it, so the owner hands it over.
      if (MenuTracking.TrackedMenu != nullptr) NoteMenuSelect(wParam, lParam);
      return previous;
    default:
      return previous;
  }
}
