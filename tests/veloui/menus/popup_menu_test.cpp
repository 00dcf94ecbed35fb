// Context menus, menu-bar drop-downs, the chevron menu and the keyboard, driven from inside
// the system's menu loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "popups_fixture.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/popup_menus.h"
#include "veloui/menus/popup_window.h"
#include "veloui/menus/rebars.h"

namespace {

class PopupMenuTest : public PopupsTest {
 protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 200, 100, 20, Window, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    SetFocus(Edit);
  }

  HMENU MakeContextMenu(std::intptr_t id, std::uint32_t style) {
    HMENU menu = CreateSkinnedPopupMenu(id, style);
    AddMenuItem(41, u"Kick", nullptr, nullptr, nullptr, 0);
    AddMenuItem(42, u"Ban", nullptr, nullptr, nullptr, 0);
    AddMenuSeparator();
    AddMenuItem(43, u"Copy GUID", nullptr, nullptr, nullptr, 0);
    return menu;
  }

  HWND Edit = nullptr;
};

TEST_F(PopupMenuTest, NothingIsShownWithoutItemsOrForAnUnknownMenu) {
  EXPECT_EQ(ShowPopupMenu(3, Window, 100, 100), 0);
  CreateSkinnedPopupMenu(3, kOffice2003);
  EXPECT_EQ(ShowPopupMenu(3, Window, 100, 100), 0) << "a menu without items";
  MakeContextMenu(4, kOffice2003);
  EXPECT_EQ(ShowPopupMenu(99, Window, 100, 100), 0) << "no such menu";
  EXPECT_EQ(MenuTracking.PopupFilterHook, nullptr);
}

TEST_F(PopupMenuTest, WhileOpenThePopupIsHookedSubclassedAndFramedAndAfterwardsTheFocusComesBack) {
  HMENU menu = MakeContextMenu(5, kOffice2003);
  bool hooked = false;
  bool tracked = false;
  bool subclassed = false;
  HWND popup = nullptr;
  RECT item{}, separator{}, frame{}, client{};
  int result = 0;
  WhileMenuOpen([&] { result = ShowPopupMenu(5, Window, 200, 150); },
                [&] {
                  popup = OpenPopupWindow();
                  if (popup == nullptr) return false;
                  hooked = MenuTracking.PopupFilterHook != nullptr && MenuTracking.PopupMouseHook != nullptr;
                  tracked = MenuTracking.TrackedMenu == menu;
                  subclassed = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(popup, GWLP_WNDPROC)) == &PopupMenuWindowProc;
                  GetMenuItemRect(Window, menu, 0, &item);
                  GetMenuItemRect(Window, menu, 2, &separator);
                  GetWindowRect(popup, &frame);
                  GetClientRect(popup, &client);
                  MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&client), 2);
                  return true;
                });
  EXPECT_EQ(result, 1);
  EXPECT_NE(popup, nullptr);
  EXPECT_TRUE(hooked);
  EXPECT_TRUE(tracked);
  EXPECT_TRUE(subclassed);
  EXPECT_EQ(separator.bottom - separator.top, 2) << "an Office separator";
  EXPECT_GE(item.bottom - item.top, 16 + 4 + 3);
  // An Office popup has a one-pixel side and a two-pixel top and bottom border.
  EXPECT_EQ(client.left - frame.left, 1);
  EXPECT_EQ(frame.right - client.right, 1);
  EXPECT_EQ(client.top - frame.top, 2);
  EXPECT_EQ(frame.bottom - client.bottom, 2);
  EXPECT_EQ(MenuTracking.PopupFilterHook, nullptr);
  EXPECT_EQ(MenuTracking.PopupMouseHook, nullptr);
  EXPECT_EQ(MenuTracking.TrackedMenu, nullptr);
  EXPECT_EQ(GetFocus(), Edit);
  EXPECT_FALSE(FindMenuRecord(5)->Tracking);
  EXPECT_TRUE(PopupWindowList().empty()) << "records go with their windows";
}

TEST_F(PopupMenuTest, PostedKeysChooseAnItemAndItsCommandReachesTheOwner) {
  MakeContextMenu(8, kOffice2003);
  PostMessageW(Window, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(Window, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(Window, WM_KEYDOWN, VK_RETURN, 1);
  WhileMenuOpen([&] { ShowPopupMenu(8, Window, 200, 150); }, [] { return false; });
  PumpMessages();
  ASSERT_FALSE(ReceivedCommands().empty());
  EXPECT_EQ(ReceivedCommands().back().Id, 42);
}

TEST_F(PopupMenuTest, AReleaseOnThePopupKeepsItOpenAndOneOutsideClosesIt) {
  MakeContextMenu(9, kOffice2003);
  bool openAfterInside = false;
  int phase = 0;
  const int ticks = WhileMenuOpen(
      [&] { ShowPopupMenu(9, Window, 200, 150); },
      [&] {
        HWND popup = OpenPopupWindow();
        if (popup == nullptr) return false;
        RECT rect{};
        GetWindowRect(popup, &rect);
        MSLLHOOKSTRUCT event{};
        if (phase == 0) {
          event.pt = POINT{rect.right, rect.bottom};  // the border counts as inside
          PopupMenuMouseHookLL(HC_ACTION, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&event));
          phase = 1;
        } else if (phase == 1) {
          openAfterInside = IsWindowVisible(popup) != FALSE;
          event.pt = POINT{rect.right + 40, rect.bottom + 40};
          PopupMenuMouseHookLL(HC_ACTION, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&event));
          phase = 2;
        }
        return false;  // the outside release must end the menu by itself
      });
  EXPECT_TRUE(openAfterInside);
  EXPECT_EQ(phase, 2);
  EXPECT_LT(ticks, 100) << "the release outside ended the menu";
}

TEST_F(PopupMenuTest, TheSelectionFadeIsOffWhileAStyledMenuIsOpenAndBackOnAfterwards) {
  BOOL original = FALSE;
  SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &original, 0);
  SystemParametersInfoW(SPI_SETSELECTIONFADE, 0, reinterpret_cast<void*>(TRUE), 0);
  BOOL check = FALSE;
  SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &check, 0);
  if (!check) {
    GTEST_SKIP() << "this system keeps no selection-fade setting";
  }
  MakeContextMenu(10, kOffice2003);
  BOOL during = TRUE;
  WhileMenuOpen([&] { ShowPopupMenu(10, Window, 200, 150); },
                [&] {
                  if (OpenPopupWindow() == nullptr) return false;
                  SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &during, 0);
                  return true;
                });
  BOOL after = FALSE;
  SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &after, 0);
  SystemParametersInfoW(SPI_SETSELECTIONFADE, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(original)), 0);
  EXPECT_FALSE(during);
  EXPECT_TRUE(after);
}

}  // namespace
