// The toolkit's side of the system's popup-menu windows: frame, cascade style and records.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "popups_fixture.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/popup_menus.h"
#include "veloui/menus/popup_window.h"

namespace {

constexpr std::uint32_t kOffice2003 = 0x1000000;

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

TEST_F(PopupsTest, AnOfficePopupHasAOnePixelSideAndTwoPixelTopAndBottomBorder) {
  CreateSkinnedPopupMenu(20, kOffice2003);
  AddMenuItem(51, u"Copy Name", nullptr, nullptr, nullptr, 0);
  AddMenuItem(52, u"Copy IP", nullptr, nullptr, nullptr, 0);
  RECT frame{};
  RECT client{};
  WhileMenuOpen([&] { ShowPopupMenu(20, Window, 120, 120); },
                [&] {
                  HWND popup = OpenPopupWindow();
                  if (popup == nullptr) return false;
                  GetWindowRect(popup, &frame);
                  GetClientRect(popup, &client);
                  MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&client), 2);
                  return true;
                });
  EXPECT_EQ(client.left - frame.left, 1);
  EXPECT_EQ(frame.right - client.right, 1);
  EXPECT_EQ(client.top - frame.top, 2);
  EXPECT_EQ(frame.bottom - client.bottom, 2);
}

TEST_F(PopupsTest, TheClientAreaBesideTheItemsShowsTheMenuBackground) {
  CreateSkinnedPopupMenu(24, kOffice2003);
  AddMenuItem(53, u"Copy Name", nullptr, nullptr, nullptr, 0);
  AddMenuItem(54, u"Copy IP", nullptr, nullptr, nullptr, 0);
  const COLORREF background = GetUIColour(kOffice2003, 30, kUIColourColorref);
  std::vector<COLORREF> edges;
  bool itemsFill = true;
  WhileMenuOpen([&] { ShowPopupMenu(24, Window, 120, 120); },
                [&] {
                  HWND popup = OpenPopupWindow();
                  if (popup == nullptr) return false;
                  UpdateWindow(popup);
                  RECT client{};
                  GetClientRect(popup, &client);
                  RECT first{};
                  GetMenuItemRect(nullptr, FindMenuRecord(24)->Handle, 0, &first);
                  MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&first), 2);
                  itemsFill = first.left == 0 && first.top == 0 && first.right == client.right;
                  HDC dc = GetDC(popup);
                  edges = {GetPixel(dc, 0, 0), GetPixel(dc, client.right - 1, client.bottom - 1),
                           GetPixel(dc, client.right - 1, client.bottom / 2)};
                  ReleaseDC(popup, dc);
                  return true;
                });
  ASSERT_EQ(edges.size(), 3u);
  if (itemsFill) GTEST_SKIP() << "the items cover the whole client area here";
  for (COLORREF edge : edges) EXPECT_EQ(edge & 0xFFFFFF, background);
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
  std::vector<ULONG_PTR> before;
  for (int k = 0; k < 2; ++k) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(k), TRUE, &info);
    before.push_back(info.dwItemData);
  }
  SetAllMenuItemInfo(menu);
  for (int k = 0; k < 2; ++k) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID | MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(k), TRUE, &info));
    EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(info.dwItemData, before[static_cast<std::size_t>(k)]);
    EXPECT_EQ(info.wID, static_cast<UINT>(71 + k));
    EXPECT_EQ(info.hbmpItem, nullptr);
  }
  HMENU gone = CreatePopupMenu();
  DestroyMenu(gone);
  SetAllMenuItemInfo(gone);  // not a menu any more: nothing happens
}

}  // namespace
