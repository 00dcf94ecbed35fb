#include "veloui/menus/colour_refresh.h"

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/menus.h"

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
