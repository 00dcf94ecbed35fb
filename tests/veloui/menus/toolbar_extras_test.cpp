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

// Shown as far as the window itself goes, whether the test window is on screen or not.
bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT ChildRect(HWND child, HWND parent) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

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

TEST_F(MenusTest, AGadgetButtonCarriesItsComboBoxAndRemoveAndHideTakeItAlong) {
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 16, 16, kOffice2003));
  const auto toolbarId = reinterpret_cast<std::intptr_t>(toolbar);
  HBITMAP red = SolidBitmap(RGB(200, 0, 0));
  HBITMAP blue = SolidBitmap(RGB(0, 0, 200));
  const std::int32_t first = ToolbarImageButton(toolbarId, -1, u"Kick", red, nullptr, nullptr, 0);
  const std::int32_t second = ToolbarImageButton(toolbarId, -1, u"Ban", blue, nullptr, nullptr, 0);
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 50, 200, Window,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  const std::int32_t gadget = InsertToolbarGadget(toolbarId, 1, -1, combo, 120);
  ASSERT_NE(gadget, 0);
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, gadget, 0), 1);
  EXPECT_EQ(GetParent(combo), toolbar);
  EXPECT_EQ(GetToolbarButtonGadget(toolbarId, gadget), combo);
  RECT button{};
  SendMessageW(toolbar, TB_GETRECT, gadget, reinterpret_cast<LPARAM>(&button));
  const RECT placed = ChildRect(combo, toolbar);
  EXPECT_EQ(placed.left, button.left);
  EXPECT_EQ(placed.right - placed.left, 120);
  EXPECT_EQ(button.right - button.left, 120);
  EXPECT_LE(placed.bottom - placed.top, button.bottom - button.top) << "fitted to the button height";

  EXPECT_EQ(HideToolbarButton(toolbarId, gadget, true), 1);
  EXPECT_FALSE(Shown(combo));
  EXPECT_EQ(HideToolbarButton(toolbarId, gadget, false), 1);
  EXPECT_TRUE(Shown(combo));
  EXPECT_EQ(RemoveToolbarButton(toolbarId, gadget), 1);
  EXPECT_FALSE(Shown(combo));
  EXPECT_EQ(GetParent(combo), Window);
  EXPECT_EQ(RemoveToolbarButton(toolbarId, gadget), 0);

  // The images of later buttons move down with the list when a button goes.
  const ToolbarRecord* record = FindToolbarRecord(toolbarId);
  ASSERT_EQ(RemoveToolbarButton(toolbarId, first), 1);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBITMAP, second, 0), 0);
  for (HIMAGELIST list : {record->NormalImageList, record->HotImageList, record->DisabledImageList})
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
  DeleteObject(red);
  DeleteObject(blue);
}

}  // namespace
