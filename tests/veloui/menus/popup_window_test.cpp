// The toolkit's side of the system's popup-menu windows: cascade style and item records.
#include <windows.h>

#include <gtest/gtest.h>


#include "popups_fixture.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/popup_menus.h"
#include "veloui/menus/popup_window.h"

namespace {

BOOL CALLBACK CountPopup(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(window) &&
      GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    ++*reinterpret_cast<int*>(found);
  }
  return TRUE;
}

int CountPopupWindows() {
  int count = 0;
  EnumWindows(CountPopup, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(PopupsTest, ASubmenuTakesTheCascadeStyleWhileOpenAndGetsItsOwnBack) {
  HMENU sub = CreateSkinnedPopupMenu(21, 0);
  AddMenuItem(61, u"Five minutes", nullptr, nullptr, nullptr, 0);
  AddMenuItem(62, u"One hour", nullptr, nullptr, nullptr, 0);
  CreateSkinnedPopupMenu(22, kOffice2003);
  AddMenuItem(63, u"Ban for", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(sub));
  AddMenuItem(64, u"Kick", nullptr, nullptr, nullptr, 0);
  std::int32_t styleWhileOpen = -1;
  int windows = 0;
  PostMessageW(Window, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(Window, WM_KEYDOWN, VK_RIGHT, 1);
  WhileMenuOpen([&] { ShowPopupMenu(22, Window, 150, 150); },
                [&] {
                  windows = CountPopupWindows();
                  if (windows < 2) return false;
                  styleWhileOpen = FindMenuRecord(21)->Style;
                  return true;
                });
  EXPECT_EQ(windows, 2);
  EXPECT_EQ(styleWhileOpen, 6);
  EXPECT_EQ(FindMenuRecord(21)->Style, 0);
  EXPECT_TRUE(PopupWindowList().empty());
  EXPECT_EQ(PopupWindows.OpenWindows, 0);
}

TEST_F(PopupsTest, SettingAllItemInfoLeavesEveryItemOwnerDrawnWithItsRecord) {
  HMENU menu = CreateSkinnedPopupMenu(23, kOffice2003);
  HBITMAP image = SolidBitmap(RGB(1, 2, 3));
  AddMenuItem(71, u"Refresh", image, nullptr, nullptr, 0);
  DeleteObject(image);
  AddMenuItem(72, u"Copy", nullptr, nullptr, nullptr, 0);
  const ULONG_PTR before[2] = {ItemInfo(menu, 0, true, MIIM_DATA).dwItemData, ItemInfo(menu, 1, true, MIIM_DATA).dwItemData};
  SetAllMenuItemInfo(menu);
  for (int k = 0; k < 2; ++k) {
    const MENUITEMINFOW info = ItemInfo(menu, static_cast<UINT>(k), true, MIIM_DATA | MIIM_FTYPE | MIIM_ID | MIIM_BITMAP);
    ASSERT_NE(info.fMask, 0u);
    EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(info.dwItemData, before[k]);
    EXPECT_EQ(info.wID, static_cast<UINT>(71 + k));
    EXPECT_EQ(info.hbmpItem, nullptr);
  }
  HMENU gone = CreatePopupMenu();
  DestroyMenu(gone);
  SetAllMenuItemInfo(gone);  // not a menu any more: nothing happens
}

}  // namespace
