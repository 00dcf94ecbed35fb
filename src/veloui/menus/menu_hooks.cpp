#include "veloui/menus/menu_hooks.h"

#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/menus/menu_builder_state.h"

std::uint32_t CurrentMenuStyle() {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  if (MenuBuilder.CurrentMenuId == -1) return 0;
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Id == MenuBuilder.CurrentMenuId) return static_cast<std::uint32_t>(menu.Style);
  }
  return 0;
}

void InstallMenuHooks() { InstallMenuStyleSource(&CurrentMenuStyle); }
