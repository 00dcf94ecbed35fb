// Menu buttons and gadget buttons of skinned toolbars.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "popups_fixture.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/toolbar_extras.h"
#include "veloui/menus/toolbars.h"

namespace {

TEST_F(PopupsTest, AMenuButtonDropsItsToolkitMenuDownBelowIt) {
  HMENU menu = CreateSkinnedPopupMenu(7, kOffice2003);
  AddMenuItem(41, u"Kick", nullptr, nullptr, nullptr, 0);
  AddMenuItem(42, u"Ban", nullptr, nullptr, nullptr, 0);
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 0, 0, kOffice2003));
  AddToolbarTextButton(90, u"Players", 0);
  const std::int32_t id = AddToolbarMenuButton(-1, u"Actions", nullptr, nullptr, nullptr, 7, 0);
  ASSERT_NE(id, 0);
  const auto toolbarId = reinterpret_cast<std::intptr_t>(toolbar);
  EXPECT_EQ(GetToolbarButtonMenu(toolbarId, id, true), reinterpret_cast<std::intptr_t>(menu));
  EXPECT_EQ(GetToolbarButtonMenu(toolbarId, 90, false), 0);
  TBBUTTON button{};
  SendMessageW(toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button));
  EXPECT_NE(button.fsStyle & BTNS_DROPDOWN, 0);
  RECT item{};
  SendMessageW(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&item));
  MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&item), 2);

  NMTOOLBARW notice{};
  notice.hdr = {toolbar, static_cast<UINT_PTR>(GetDlgCtrlID(toolbar)), static_cast<UINT>(TBN_DROPDOWN)};
  notice.iItem = id;
  bool tracked = false;
  bool pressed = false;
  RECT popup{};
  LRESULT result = -1;
  WhileMenuOpen([&] { result = SendMessageW(Window, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice)); },
                [&] {
                  HWND window = OpenPopupWindow();
                  if (window == nullptr) return false;
                  tracked = MenuTracking.TrackedMenu == menu;
                  pressed = (SendMessageW(toolbar, TB_GETSTATE, id, 0) & TBSTATE_PRESSED) != 0;
                  GetWindowRect(window, &popup);
                  return true;
                });
  EXPECT_EQ(result, TBDDRET_DEFAULT);
  EXPECT_TRUE(tracked);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(popup.left, item.left);
  EXPECT_EQ(popup.top, item.bottom);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, id, 0) & TBSTATE_PRESSED, 0);
}

}  // namespace
