#include "veloui/menus/host_window_proc.h"

#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"

// For now the host passes every message on; the bars show what their controls paint.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const HostWindowRecord& host : ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows)) {
    if (host.Window == window && host.PreviousProcedure != nullptr) {
      return CallWindowProcW(host.PreviousProcedure, window, message, wParam, lParam);
    }
  }
  return 0;
}
