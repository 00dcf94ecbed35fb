#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "menus_fixture.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/menu_shortcuts.h"
#include "veloui/menus/menus.h"

namespace {

const MenuItemRecord* RecordOf(HMENU menu, UINT item, bool byPosition) {
  return reinterpret_cast<const MenuItemRecord*>(ItemInfo(menu, item, byPosition, MIIM_DATA).dwItemData);
}

UINT StateOf(HMENU menu, UINT id) { return ItemInfo(menu, id, false, MIIM_STATE).fState; }

TEST_F(MenusTest, AutomaticIdsCountDownAndSkipIdsInUse) {
  ASSERT_NE(CreateSkinnedPopupMenu(1, 0x1000000), nullptr);
  EXPECT_EQ(AddMenuItem(-1, u"First", nullptr, nullptr, nullptr, 0), 65534);
  EXPECT_EQ(AddMenuItem(-1, u"Second", nullptr, nullptr, nullptr, 0), 65533);
  // A caller's item already holds 65532, in another menu.
  ASSERT_NE(CreateSkinnedPopupMenu(2, 0x1000000), nullptr);
  EXPECT_EQ(AddMenuItem(65532, u"Taken", nullptr, nullptr, nullptr, 0), 1);
  EXPECT_EQ(AddMenuItem(-1, u"Third", nullptr, nullptr, nullptr, 0), 65531);
  EXPECT_EQ(GetMenuItemCount(FindMenuRecord(1)->Handle), 2);
  EXPECT_EQ(GetMenuItemCount(FindMenuRecord(2)->Handle), 2);
}

TEST_F(MenusTest, ItemImagesFillAllThreeSlots) {
  HMENU menu = CreateSkinnedPopupMenu(1, 0x1000000);
  HBITMAP normal = SolidBitmap(RGB(200, 0, 0));
  HBITMAP hot = SolidBitmap(RGB(0, 200, 0));
  ASSERT_EQ(AddMenuItem(30, u"Copy all", normal, nullptr, nullptr, 0), 1);
  ASSERT_EQ(AddMenuItem(31, u"Copy name", normal, hot, nullptr, 0), 1);
  ASSERT_EQ(AddMenuItem(32, u"Copy GUID", nullptr, nullptr, nullptr, 0), 1);
  // The hot and disabled images are derived where the caller gave none.
  for (UINT id : {30u, 31u}) {
    const MenuItemRecord* item = RecordOf(menu, id, false);
    ASSERT_TRUE(item != nullptr && item->ImageList != nullptr) << id;
    EXPECT_EQ(ImageList_GetImageCount(item->ImageList), 3) << id;
  }
  ASSERT_NE(RecordOf(menu, 32, false), nullptr);
  EXPECT_EQ(RecordOf(menu, 32, false)->ImageList, nullptr);
  DeleteObject(normal);
  DeleteObject(hot);
}

TEST_F(MenusTest, SubmenuByNumberOrHandle) {
  HMENU sub = CreateSkinnedPopupMenu(50, 0x1000000);
  AddMenuItem(51, u"Inner", nullptr, nullptr, nullptr, 0);
  HMENU outer = CreateSkinnedPopupMenu(52, 0x1000000);
  AddMenuItem(53, u"By number", nullptr, nullptr, nullptr, 50);
  AddMenuItem(54, u"By handle", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(sub));
  EXPECT_EQ(GetSubMenu(outer, 0), sub);
  EXPECT_EQ(GetSubMenu(outer, 1), sub);
}

TEST_F(MenusTest, DisablingGreysTheItemAndEnablingRestoresIt) {
  ASSERT_NE(BuildProgramMenuBar(Window), nullptr);
  HMENU commands = std::next(MenuList().begin())->Handle;
  EXPECT_EQ(SetMenuItemDisabled(0, 13, true), 1);
  EXPECT_EQ(StateOf(commands, 13) & (MFS_DISABLED | MFS_GRAYED), static_cast<UINT>(MFS_DISABLED | MFS_GRAYED));
  EXPECT_EQ(SetMenuItemDisabled(0, 13, false), 1);
  EXPECT_EQ(StateOf(commands, 13) & (MFS_DISABLED | MFS_GRAYED), 0u);
  EXPECT_EQ(SetMenuItemDisabled(0, 999, true), 0);
  EXPECT_EQ(SetMenuItemDisabled(77, 13, true), 0);
}

TEST_F(MenusTest, RemovingRenumbersTheRemainingItems) {
  HMENU menu = CreateSkinnedPopupMenu(2, 0x1000000);
  AddMenuItem(7, u"Connect", nullptr, nullptr, nullptr, 0);
  AddMenuItem(5, u"Delete", nullptr, nullptr, nullptr, 0);
  AddMenuItem(6, u"Remove ban", nullptr, nullptr, nullptr, 0);
  ASSERT_EQ(MenuItemList().size(), 3u);
  EXPECT_NE(RemoveMenuItems(2, 7, false), 0);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(MenuItemList().size(), 2u);
  EXPECT_EQ(RecordOf(menu, 0, true)->Position, 0);
  EXPECT_EQ(RecordOf(menu, 0, true)->ItemText, u"Delete");
  EXPECT_EQ(RecordOf(menu, 1, true)->Position, 1);
  EXPECT_NE(RemoveMenuItems(2, 1, true), 0);
  EXPECT_EQ(RecordOf(menu, 0, true)->ItemText, u"Delete");
  EXPECT_EQ(RemoveMenuItems(2, 5, true), 0);
  EXPECT_EQ(RemoveMenuItems(2, 99, false), 0);
}

TEST_F(MenusTest, FreeingOneOrAllMenus) {
  ASSERT_NE(BuildProgramMenuBar(Window), nullptr);
  HMENU popup = CreateSkinnedPopupMenu(73, 0x1000000);
  AddMenuItem(18, u"Copy all", nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(FreeSkinnedMenu(73), 1);
  EXPECT_FALSE(IsMenu(popup));
  EXPECT_EQ(FindMenuRecord(73), nullptr);
  EXPECT_EQ(FreeSkinnedMenu(73), 0);
  // One title per call for a bar.
  EXPECT_EQ(FreeSkinnedMenu(0), 1);
  EXPECT_EQ(MenuList().size(), 3u);
  EXPECT_EQ(FreeSkinnedMenu(-1), 1);
  EXPECT_TRUE(MenuList().empty());
  EXPECT_TRUE(MenuItemList().empty());
}

TEST_F(MenusTest, TitleThatCannotBeMadeKeepsThePlaceholder) {
  const auto bar = reinterpret_cast<HWND>(CreateMenuBar(0, Window, 0x1000000));
  ASSERT_NE(bar, nullptr);
  DestroyWindow(bar);
  EXPECT_EQ(AddMenuTitle(u"Server"), 0);
  ASSERT_EQ(MenuList().size(), 1u);
  EXPECT_EQ(MenuList().front().Handle, nullptr);
  EXPECT_EQ(MenuList().front().TitleIndex, -1);
  EXPECT_EQ(AddMenuItem(1, u"Connect", nullptr, nullptr, nullptr, 0), 0);
}

TEST_F(MenusTest, FailedInsertLeavesNothingBehind) {
  HMENU menu = CreateSkinnedPopupMenu(1, 0x1000000);
  ASSERT_EQ(AddMenuItem(30, u"Copy all$ctrl+a", nullptr, nullptr, nullptr, 0), 1);
  const std::size_t shortcuts = ShortcutTable()[WindowKey(nullptr)].size();
  const std::size_t items = MenuItemList().size();
  DestroyMenu(menu);
  HBITMAP image = SolidBitmap(RGB(9, 9, 9));
  EXPECT_EQ(AddMenuItem(31, u"Copy name$ctrl+n", image, nullptr, nullptr, 0), 0);
  EXPECT_EQ(MenuItemList().size(), items);
  EXPECT_EQ(ShortcutTable()[WindowKey(nullptr)].size(), shortcuts);
  DeleteObject(image);
}

}  // namespace
