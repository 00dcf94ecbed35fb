// Marks the menus keep on their items and passes: the paint pass ends with a title's menu, an
// item's kind is its own argument, and a submenu handle is a submenu whatever its top bit.
#include "menus_fixture.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/host_state.h"

namespace {

class MenuMarksTest : public MenusTest {
 protected:
  HMENU TitleMenu(HWND bar, int index) {
    for (const MenuRecord& menu : MenuList()) {
      if (menu.Toolbar == bar && menu.TitleIndex == index) return menu.Handle;
    }
    return nullptr;
  }
  // Item 0 of `menu` drawn alone, as a partial repaint of the system's menu would ask for it.
  void DrawFirstItem(HMENU menu) {
    DibCanvas canvas(160, 23);
    const MENUITEMINFOW info = ItemInfo(menu, 0, true, MIIM_DATA);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, GetMenuItemID(menu, 0), ODA_DRAWENTIRE, ODS_SELECTED,
                        reinterpret_cast<HWND>(menu), canvas.Dc(), RECT{0, 0, 160, 23}, info.dwItemData};
    SendMessageW(Window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  }
  // A menu handle with its top bit set (negative as a signed number), made by the system; the
  // system hands one out once a handle slot has been reused often enough. nullptr when none came.
  static HMENU HighMenuHandle() {
    for (int tries = 0; tries < 70000; ++tries) {
      HMENU menu = CreatePopupMenu();
      if (menu == nullptr) return nullptr;
      if ((reinterpret_cast<UINT_PTR>(menu) & 0x80000000u) != 0) return menu;
      DestroyMenu(menu);
    }
    return nullptr;
  }
  static const MenuItemRecord* ItemRecord(HMENU menu, int position) {
    const MENUITEMINFOW info = ItemInfo(menu, position, true, MIIM_DATA);
    return reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
  }
};

// A title's menu that closes after only its first item was drawn (a pass begun, never ended by
// its last item) leaves no paint pass behind for the next menu.
TEST_F(MenuMarksTest, ThePaintPassMarkEndsWithTheTitlesMenu) {
  HWND bar = BuildMenuBar(Window);
  RebarCarrying(bar, 400);
  HMENU menu = TitleMenu(bar, 0);
  ASSERT_NE(menu, nullptr);
  int shown = 0;
  bool begun = false;
  WhileMenuOpen([&] { DropDown(bar, 0); },
                [&] {
                  // Past the popup's own first painting, which draws every item.
                  if (OpenPopupWindow() == nullptr || ++shown < 5) return false;
                  DrawFirstItem(menu);
                  begun = HostWindows.PaintPass;
                  return true;
                });
  EXPECT_TRUE(begun);
  EXPECT_FALSE(HostWindows.PaintPass);
}

// The kind of a row is its own argument: a special row of a scrollable copy opens no submenu,
// an ordinary row keeps kind 0, and a submenu handle with its top bit set opens that submenu.
TEST_F(MenuMarksTest, ARowsKindIsItsOwnArgumentAndAHighSubmenuHandleOpensItsSubmenu) {
  const auto popup = reinterpret_cast<std::intptr_t>(CreateSkinnedPopupMenu(60, UISTYLE_OFFICE2003));
  AddMenuItem(1, u"Kick", nullptr, nullptr, nullptr, 0);
  HMENU menu = reinterpret_cast<HMENU>(popup);
  ASSERT_EQ(AddSubMenuItem(60, -1, 0xCBC3, u"", nullptr, nullptr, nullptr, 0, kMenuItemBottomArrow), 1);
  ASSERT_NE(ItemRecord(menu, 1), nullptr);
  EXPECT_EQ(ItemRecord(menu, 1)->Kind, kMenuItemBottomArrow);
  EXPECT_EQ(GetSubMenu(menu, 1), nullptr);

  HMENU high = HighMenuHandle();
  if (high == nullptr) GTEST_SKIP() << "the system handed out no menu handle with its top bit set";
  ASSERT_LT(reinterpret_cast<std::intptr_t>(high), 0);
  ASSERT_EQ(AddSubMenuItem(60, 0, 7, u"More", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(high)), 1);
  EXPECT_EQ(GetSubMenu(menu, 0), high);
  ASSERT_NE(ItemRecord(menu, 0), nullptr);
  EXPECT_EQ(ItemRecord(menu, 0)->Kind, 0);
  // The same handle given to AddMenuItem opens the submenu too.
  ASSERT_EQ(AddMenuItem(8, u"Even more", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(high)), 1);
  EXPECT_EQ(GetSubMenu(menu, 3), high);
  FreeSkinnedMenu(60);  // items are removed, not destroyed: the submenu stays the caller's
  EXPECT_TRUE(IsMenu(high));
  DestroyMenu(high);
}

}  // namespace
