#include "veloui/menus/colour_refresh.h"

#include <commctrl.h>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/style_images.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/toolbars.h"

namespace {
// Image 2 of an item's list is its style image unless the caller gave one.
void RetintMenuItems(std::intptr_t id, std::int32_t kind) {
  ToolkitLockGuard guard(ToolkitLock::Menu);
  for (MenuItemRecord& item : ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems)) {
    if (!item.HasImage || item.HasDisabledImage || item.ImageList == nullptr || item.Menu == nullptr) continue;
    const MenuRecord& menu = *item.Menu;
    if (kind == 1 && menu.Id != id && reinterpret_cast<std::intptr_t>(&menu) != id) continue;
    if (kind == 2 && reinterpret_cast<std::intptr_t>(item.MenuHandle) != id) continue;
    if (kind != 0 && item.Style == menu.Style) continue;
    HICON normal = ImageList_GetIcon(item.ImageList, 0, ILD_NORMAL);
    if (normal == nullptr) continue;
    if (HICON styled = MakeStyleImage(normal, static_cast<std::uint32_t>(menu.Style))) {
      ImageList_ReplaceIcon(item.ImageList, 2, styled);
      DestroyIcon(styled);
    }
    DestroyIcon(normal);
    item.Style = menu.Style;
  }
}

ToolbarRecord* ToolbarOf(const ToolbarButtonRecord& button) {
  for (ToolbarRecord& toolbar : ToolkitList<ToolbarRecord>(ToolkitListId::Toolbars))
    if (toolbar.Id == button.ToolbarId) return &toolbar;
  return nullptr;
}

// A button's disabled image is its style image unless the caller gave one.
void RetintToolbarButtons(std::intptr_t id, std::int32_t kind) {
  for (ToolbarButtonRecord& button : ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons)) {
    if (!button.HasImage || button.OwnDisabledImage) continue;
    ToolbarRecord* toolbar = ToolbarOf(button);
    if (toolbar == nullptr || toolbar->NormalImageList == nullptr || toolbar->DisabledImageList == nullptr) continue;
    if (kind == 4 && (toolbar->Id != id || button.ImageStyle == toolbar->Style)) continue;
    const auto index = static_cast<int>(SendMessageW(toolbar->Window, TB_GETBITMAP, static_cast<WPARAM>(button.ButtonId), 0));
    HICON normal = ImageList_GetIcon(toolbar->NormalImageList, index, ILD_NORMAL);
    if (normal == nullptr) continue;
    // No comparison with a placeholder icon: ImageList_GetIcon makes a new icon on every call,
    // so it could never be that one; a button without an image is left out by its flag above.
    if (HICON styled = MakeStyleImage(normal, toolbar->Style)) {
      ImageList_ReplaceIcon(toolbar->DisabledImageList, index, styled);
      DestroyIcon(styled);
      button.ImageStyle = toolbar->Style;
    }
    DestroyIcon(normal);
  }
}
}  // namespace

std::int32_t RetintMenuImages(std::intptr_t id, std::int32_t kind) {
  if (kind >= 0 && kind <= 2 && !ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems).empty())
    RetintMenuItems(id, kind);
  if (kind == 0 || kind == 3 || kind == 4) RetintToolbarButtons(id, kind);
  return 0;
}
