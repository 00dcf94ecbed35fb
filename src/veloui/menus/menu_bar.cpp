#include "veloui/menus/menus.h"

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_objects.h"
#include "veloui/menus/toolbars.h"

MenuBuilderState MenuBuilder;

namespace {

constexpr std::uint32_t kMenuBarToolbarFlags = 0x1A54;
constexpr std::uint32_t kTitleButtonFlags = BTNS_DROPDOWN;

bool IdTaken(std::intptr_t id) {
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Id == id) return true;
  }
  return false;
}

bool IsPlaceholder(const MenuRecord& menu) {
  return !menu.IsPopup && menu.Handle == nullptr && menu.TitleIndex == -1;
}

TextExtent MeasureTitle(const Text& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, EnsureMenuFont());
  RECT rect{};
  DrawTextW(dc, Wide(text), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void SizeTitleButton(HWND toolbar, int index, const Text& text, std::int32_t style) {
  const TitleButtonSize size = MenuTitleButtonSize(MeasureTitle(text), style);
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, size.BarHeight));
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
  info.cx = static_cast<WORD>(size.Width);
  SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

}  // namespace

std::int32_t StoredMenuStyle(std::uint32_t style) {
  return style == UISTYLE_OFFICE2003 ? UISTYLE_OFFICE2003_SHORT : static_cast<std::int32_t>(style);
}

MenuRecord* FindMenuRecord(std::intptr_t menu) {
  for (MenuRecord& record : MenuList()) {
    if (record.Id == menu) return &record;
    if (menu != 0 && (reinterpret_cast<std::intptr_t>(record.Handle) == menu ||
                      reinterpret_cast<std::intptr_t>(record.Toolbar) == menu)) {
      return &record;
    }
  }
  return nullptr;
}

void ResetMenuBuilderState() { MenuBuilder = MenuBuilderState{}; }

std::int32_t SetMenuImageSize(int width, int height) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuBuilder.ImageWidth = width;
  MenuBuilder.ImageHeight = height;
  return 0;
}

std::intptr_t CreateMenuBar(std::intptr_t id, HWND window, std::uint32_t style) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  const bool automatic = id == -1;
  if (automatic) {
    id = AllocateObjectNumber();
  } else if (IdTaken(id)) {
    return 0;
  }
  const auto toolbarId = CreateSkinnedToolbar(-1, window, 0, 0, kMenuBarToolbarFlags);
  HWND toolbar = reinterpret_cast<HWND>(toolbarId);
  if (toolbar == nullptr) return 0;
  {
    ToolkitLockGuard barLock(ToolkitLock::MenuBar);
    if (ToolbarRecord* record = FindToolbarRecord(toolbarId)) record->IsMenuBar = true;
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, 0);
    SwitchOffVisualTheme(toolbar);
    SendMessageW(toolbar, TB_SETPADDING, 0, MAKELPARAM(0, 0));
  }
  MenuRecord placeholder;
  placeholder.Id = id;
  placeholder.Window = window;
  placeholder.Toolbar = toolbar;
  placeholder.Style = StoredMenuStyle(style);
  MenuList().push_back(placeholder);
  MenuBuilder.CurrentMenuId = id;
  MenuBuilder.CurrentHandle = nullptr;
  InstallHostWindowProc(window);
  EnsureMenuThreadHooks();
  EnsureMenuFont();
  return automatic ? id : toolbarId;
}

HMENU CreateSkinnedPopupMenu(std::intptr_t id, std::uint32_t style) {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  if (id == -1) {
    id = AllocateObjectNumber();
  } else if (IdTaken(id)) {
    return nullptr;
  }
  const PopupMenuObject object = CreatePopupMenuObject(-1);
  if (object.Handle == nullptr) return nullptr;
  MenuRecord record;
  record.Id = id;
  record.Handle = object.Handle;
  record.MenuObject = object.Number;
  record.IsPopup = true;
  record.Style = StoredMenuStyle(style);
  MenuList().push_back(record);
  MenuBuilder.CurrentMenuId = id;
  MenuBuilder.CurrentHandle = object.Handle;
  return object.Handle;
}

std::int32_t AddMenuTitle(const Text& text) {
  TakeToolkitLock(ToolkitLock::Menu);
  auto& menus = MenuList();
  auto bar = menus.end();
  for (auto menu = menus.begin(); menu != menus.end(); ++menu) {
    if (menu->Id == MenuBuilder.CurrentMenuId && !menu->IsPopup) {
      bar = menu;
      break;
    }
  }
  if (MenuBuilder.CurrentMenuId == -1 || bar == menus.end()) {
    ReleaseToolkitLock(ToolkitLock::Menu);
    return 0;
  }
  MenuRecord title;
  title.Id = bar->Id;
  title.Window = bar->Window;
  title.Toolbar = bar->Toolbar;
  title.Style = bar->Style;
  const PopupMenuObject object = CreatePopupMenuObject(-1);
  if (object.Handle == nullptr) {
    ReleaseToolkitLock(ToolkitLock::Menu);
    return 0;
  }
  // The title button goes to this bar's toolbar, whichever toolbar was made last.
  const std::intptr_t previousToolbar = CurrentToolbarId();
  SetCurrentToolbar(reinterpret_cast<std::intptr_t>(title.Toolbar));
  const std::int32_t index = AddToolbarTextButton(-1, text, kTitleButtonFlags);
  SetCurrentToolbar(previousToolbar);
  if (index == -1) {
    FreePopupMenuObject(object.Number);
    ReleaseToolkitLock(ToolkitLock::Menu);
    return 0;
  }
  title.Handle = object.Handle;
  title.MenuObject = object.Number;
  title.TitleIndex = index;
  // The placeholder goes only now that the bar has a title to stand for it.
  if (IsPlaceholder(*bar)) menus.erase(bar);
  menus.push_back(title);
  MenuBuilder.CurrentHandle = object.Handle;
  ReleaseToolkitLock(ToolkitLock::Menu);
  SizeTitleButton(title.Toolbar, index, text, title.Style);
  return 0;
}
