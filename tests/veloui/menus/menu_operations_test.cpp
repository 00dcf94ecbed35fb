#include <windows.h>

#include <gtest/gtest.h>

#include "menus_fixture.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/menu_operations.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/menus.h"

namespace {

TEST_F(MenusTest, RadioItemsOfOneMenuLeaveOnlyTheLastChecked) {
  HMENU menu = CreateSkinnedPopupMenu(40, 0x1000000);
  for (int id = 1; id <= 3; ++id) AddMenuItem(id, u"Mode", nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(SetMenuItemState(40, 1, 2), 1);
  EXPECT_EQ(SetMenuItemState(40, 2, 2), 1);
  EXPECT_EQ(GetMenuItemChecked(40, 1), 0);
  EXPECT_EQ(GetMenuItemChecked(40, 2), 1);
  EXPECT_NE(ItemInfo(menu, 2, false, MIIM_FTYPE).fType & MFT_RADIOCHECK, 0u);
  SetMenuItemState(40, 3, 1 | 0x1000);
  SetMenuItemState(40, 3, 0);
  EXPECT_EQ(GetMenuItemChecked(40, 3), 0);
}

TEST_F(MenusTest, ItemsAddedWhileShortcutsAreDisabledHaveNone) {
  ASSERT_NE(CreateMenuBar(0, Window, 0), 0);
  AddMenuTitle(u"Edit");
  SetMenuShortcutsDisabled(true);
  const std::int32_t added = AddMenuItem(30, u"Copy$Ctrl+K", nullptr, nullptr, nullptr, 0);
  SetMenuShortcutsDisabled(false);
  EXPECT_EQ(added, 1);
  EXPECT_EQ(ShortcutTable().find(WindowKey(Window)), ShortcutTable().end());
  EXPECT_EQ(GetMenuItemTextEx(0, 30), u"Copy$Ctrl+K");
}

}  // namespace
