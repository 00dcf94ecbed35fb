// A menu bar driven as the user drives it: a title dropped down and closed, Alt and Escape,
// and the chevron menu with the titles the band cannot show.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "popups_fixture.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"

namespace {

constexpr LPARAM kAltDown = 0x20380001;
constexpr LPARAM kEscapeDown = 0x00010001;

class MenuBarTrackingTest : public PopupsTest {
 protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 200, 100, 20, Window, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    Bar = BuildProgramMenuBar(Window);
    ASSERT_NE(Bar, nullptr);
    ShowWindow(Window, SW_SHOW);
    SetActiveWindow(Window);
    SetFocus(Edit);
  }

  LRESULT DropDown(int index) {
    TBBUTTON button{};
    SendMessageW(Bar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    NMTOOLBARW notice{};
    notice.hdr.hwndFrom = Bar;
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Bar));
    notice.hdr.code = TBN_DROPDOWN;
    notice.iItem = button.idCommand;
    return SendMessageW(Window, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
  }

  // The titles' drop-downs in title order.
  static std::vector<HMENU> Titles() {
    std::vector<HMENU> titles(4, nullptr);
    for (const MenuRecord& record : MenuList()) {
      if (!record.IsPopup && record.Handle != nullptr && record.TitleIndex >= 0 && record.TitleIndex < 4) {
        titles[static_cast<std::size_t>(record.TitleIndex)] = record.Handle;
      }
    }
    return titles;
  }

  HWND Edit = nullptr;
  HWND Bar = nullptr;
};

TEST_F(MenuBarTrackingTest, ATitleDropsDownItsMenuUnderTheTitleAndClosesCleanly) {
  const HMENU commands = Titles()[1];
  bool tracked = false;
  bool filtered = false;
  RECT popup{};
  LRESULT result = -1;
  WhileMenuOpen([&] { result = DropDown(1); },
                [&] {
                  HWND window = OpenPopupWindow();
                  if (window == nullptr) return false;
                  tracked = MenuTracking.TrackedMenu == commands && MenuTracking.OpenTitle == 1;
                  filtered = MenuTracking.MenuBarFilterHook != nullptr;
                  GetWindowRect(window, &popup);
                  return true;
                });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(tracked);
  EXPECT_TRUE(filtered);
  RECT title{};
  SendMessageW(Bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title));
  MapWindowPoints(Bar, nullptr, reinterpret_cast<POINT*>(&title), 2);
  EXPECT_NEAR(popup.top, title.bottom - 1, 3);
  EXPECT_NEAR(popup.left, title.left, 6);
  EXPECT_EQ(MenuTracking.TrackedMenu, nullptr);
  EXPECT_EQ(MenuTracking.MenuBarFilterHook, nullptr);
  EXPECT_EQ(MenuTracking.MenuMode, 0);
  EXPECT_EQ(SendMessageW(Bar, TB_GETHOTITEM, 0, 0), -1);
  EXPECT_EQ(GetFocus(), Edit);
  for (const MenuRecord& record : MenuList()) EXPECT_FALSE(record.Open);
}

TEST_F(MenuBarTrackingTest, AltMakesTheFirstTitleHotAndEscapeOrAltAgainGivesTheFocusBack) {
  EXPECT_EQ(MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown), 1);
  EXPECT_EQ(MenuTracking.MenuMode, 1);
  EXPECT_EQ(MenuTracking.MenuBarKeyMode, 1);
  EXPECT_EQ(GetFocus(), Bar);
  EXPECT_EQ(SendMessageW(Bar, TB_GETHOTITEM, 0, 0), 0);

  MenuKeyboardHookProc(HC_ACTION, VK_ESCAPE, kEscapeDown);
  EXPECT_EQ(MenuTracking.MenuMode, 0);
  EXPECT_EQ(MenuTracking.MenuBarKeyMode, 0);
  EXPECT_EQ(SendMessageW(Bar, TB_GETHOTITEM, 0, 0), -1);
  EXPECT_EQ(GetFocus(), Edit);

  // Other keys hand the bar its keyboard; Alt again leaves the bar.
  MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown);
  MenuKeyboardHookProc(HC_ACTION, 'S', 0x001F0001);
  EXPECT_EQ(MenuTracking.MenuBarKeyMode, -2);
  EXPECT_EQ(MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown), 1);
  EXPECT_EQ(MenuTracking.MenuMode, 0);
  EXPECT_EQ(SendMessageW(Bar, TB_GETHOTITEM, 0, 0), -1);
  EXPECT_EQ(GetFocus(), Edit);
}

TEST_F(MenuBarTrackingTest, AltAndF10InAnotherActiveWindowAreLeftToThatWindow) {
  HWND dialog = MakeWindow();
  HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, dialog, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ShowWindow(dialog, SW_SHOW);
  SetActiveWindow(dialog);
  SetFocus(field);
  ASSERT_EQ(GetActiveWindow(), dialog);
  EXPECT_NE(MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown), 1);
  EXPECT_NE(MenuKeyboardHookProc(HC_ACTION, VK_F10, 0x00440001), 1);
  EXPECT_EQ(MenuTracking.MenuMode, 0);
  EXPECT_EQ(MenuTracking.MenuBarKeyMode, 0);
  EXPECT_EQ(SendMessageW(Bar, TB_GETHOTITEM, 0, 0), -1);
  EXPECT_EQ(GetFocus(), field);
}

TEST_F(MenuBarTrackingTest, RightInsideAnOpenTitleOpensTheNextOneAndLeftWrapsToTheLast) {
  std::vector<int> opened;
  int step = 0;
  // Each switch ends the open menu and posts the keys that open the next one to the bar.
  WhileMenuOpen([&] {
                  DropDown(3);
                  for (int k = 0; k < 50 && opened.size() < 3; ++k) {
                    PumpMessages();
                    Sleep(10);
                  }
                },
                [&] {
                  if (OpenPopupWindow() == nullptr) return false;
                  if (opened.empty() || opened.back() != MenuTracking.OpenTitle) opened.push_back(MenuTracking.OpenTitle);
                  MSG key{};
                  key.message = WM_KEYDOWN;
                  if (MenuTracking.MenuMode == -2) {
                    // The Down that follows a switch, as the menu loop reports it.
                    key.wParam = VK_DOWN;
                    MenuBarMsgFilterHook(MSGF_MENU, 0, reinterpret_cast<LPARAM>(&key));
                    return false;
                  }
                  if (step < 2) {
                    key.wParam = step == 0 ? VK_RIGHT : VK_LEFT;
                    MenuBarMsgFilterHook(MSGF_MENU, 0, reinterpret_cast<LPARAM>(&key));
                    ++step;
                    return false;
                  }
                  return step >= 2 && opened.size() >= 3;
                });
  EXPECT_EQ(opened[0], 3);
  EXPECT_EQ(opened[1], 0) << "Right on the last title opens the first";
  ASSERT_GE(opened.size(), 3u);
  EXPECT_EQ(opened[2], 3) << "Left on the first title opens the last";
  EXPECT_EQ(MenuTracking.TrackedMenu, nullptr);
}

TEST_F(MenuBarTrackingTest, TheChevronMenuLendsTheHiddenTitlesTheirRealMenus) {
  const auto rebar = reinterpret_cast<HWND>(CreateRebar(-1, Window, 0, 0x1000000 | 0x600, 0));
  ASSERT_NE(rebar, nullptr);
  SetParent(Bar, rebar);
  SetCurrentRebar(reinterpret_cast<std::intptr_t>(rebar));
  AddRebarBand(Bar, u"", 400, 100, 0, nullptr, 0);
  const std::vector<HMENU> titles = Titles();
  ASSERT_EQ(titles.size(), 4u);
  RECT second{};
  SendMessageW(Bar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&second));
  MapWindowPoints(Bar, rebar, reinterpret_cast<POINT*>(&second), 2);
  const int counts[2] = {GetMenuItemCount(titles[2]), GetMenuItemCount(titles[3])};

  NMREBARCHEVRON chevron{};
  chevron.hdr.hwndFrom = rebar;
  chevron.hdr.code = RBN_CHEVRONPUSHED;
  chevron.uBand = 0;
  chevron.rc = RECT{second.left, 0, second.left + 12, 20};  // titles 2 and 3 lie beyond it
  std::vector<HMENU> lent;
  WhileMenuOpen([&] { SendMessageW(Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&chevron)); },
                [&] {
                  if (OpenPopupWindow() == nullptr || MenuTracking.TrackedMenu == nullptr) return false;
                  for (int k = 0; k < GetMenuItemCount(MenuTracking.TrackedMenu); ++k) {
                    lent.push_back(GetSubMenu(MenuTracking.TrackedMenu, k));
                  }
                  return true;
                });
  ASSERT_EQ(lent.size(), 2u);
  EXPECT_EQ(lent[0], titles[2]);
  EXPECT_EQ(lent[1], titles[3]);
  EXPECT_TRUE(IsMenu(titles[2]));
  EXPECT_TRUE(IsMenu(titles[3]));
  EXPECT_EQ(GetMenuItemCount(titles[2]), counts[0]);
  EXPECT_EQ(GetMenuItemCount(titles[3]), counts[1]);
  EXPECT_EQ(MenuTracking.ChevronFilterHook, nullptr);
}

}  // namespace
