// A menu-bar title too long for the screen drops down a scrollable copy: held arrows scroll
// it, keyboard selection wraps it, and its commands and mnemonics are the source items'.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "popups_fixture.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/menus.h"

namespace {

constexpr UINT kTopArrow = 0xFFFFCBC2u;
constexpr UINT kBottomArrow = 0xFFFFCBC3u;
constexpr int kItems = 60;

class MenuScrollTest : public PopupsTest {
 protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Bar = reinterpret_cast<HWND>(CreateMenuBar(0, Window, 0x1000000));
    ASSERT_NE(Bar, nullptr);
    AddMenuTitle(u"Long");
    for (int k = 0; k < kItems; ++k) {
      const std::u16string text = k == 3 ? u"&Quiet" : k == 4 ? u"&Zap" : u"Item " + std::u16string(1, u'0' + k % 10);
      AddMenuItem(100 + k, text, nullptr, nullptr, nullptr, 0);
    }
    SetMenuItemDisabled(0, 103, true);
  }

  void DropDown() {
    TBBUTTON button{};
    SendMessageW(Bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button));
    NMTOOLBARW notice{};
    notice.hdr.hwndFrom = Bar;
    notice.hdr.code = TBN_DROPDOWN;
    notice.iItem = button.idCommand;
    SendMessageW(Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
  }

  // The copy is on screen and laid out (not waiting to be shown again).
  static HWND ShownCopy() {
    if (MenuTracking.CopyMenu == nullptr || MenuScroll.ReshowPending) return nullptr;
    return OpenPopupWindow();
  }
  static UINT Row(int position) { return GetMenuItemID(MenuTracking.CopyMenu, position); }
  static int Rows() { return GetMenuItemCount(MenuTracking.CopyMenu); }
  static void Select(int position) {
    HiliteMenuItem(MenuScroll.Title->Window, MenuTracking.CopyMenu, static_cast<UINT>(position), MF_BYPOSITION | MF_HILITE);
  }

  HWND Bar = nullptr;
};

TEST_F(MenuScrollTest, AHeldBottomArrowScrollsToTheEndAtTheSameHeight) {
  int phase = 0;
  int firstHeight = 0;
  bool heightKept = true;
  bool startedRight = false;
  bool endedRight = false;
  WhileMenuOpen([&] { DropDown(); },
                [&] {
                  HWND copy = ShownCopy();
                  if (copy == nullptr) return false;
                  if (phase == 0) {
                    startedRight = Row(0) == 100 && Row(Rows() - 1) == kBottomArrow;
                    firstHeight = HeightOf(copy);
                    MenuKeyboardHookProc(HC_ACTION, 'Q', 0x00100001);  // a disabled item's mnemonic
                    Select(Rows() - 1);
                    phase = MenuScroll.ThreadActive ? 1 : 2;
                    return phase == 2;
                  }
                  heightKept = heightKept && HeightOf(copy) == firstHeight;
                  if (MenuScroll.ThreadActive) return false;
                  endedRight = Row(0) == kTopArrow && Row(Rows() - 1) == 100 + kItems - 1;
                  for (int k = 0; k < Rows(); ++k) endedRight = endedRight && Row(k) != kBottomArrow;
                  MenuKeyboardHookProc(HC_ACTION, 'Z', 0x002C0001);
                  return false;
                },
                1500);
  EXPECT_TRUE(startedRight);
  EXPECT_EQ(phase, 1) << "the bottom arrow starts the scroll thread";
  EXPECT_TRUE(heightKept);
  EXPECT_TRUE(endedRight);
  ASSERT_EQ(ReceivedCommands().size(), 1u) << "the disabled item's mnemonic fires nothing";
  EXPECT_EQ(ReceivedCommands()[0].Id, 104);
  EXPECT_EQ(MenuTracking.CopyMenu, nullptr);
  EXPECT_FALSE(FindMenuRecord(0)->Scrolling);
}

TEST_F(MenuScrollTest, DownOnTheLastItemWrapsToTheStartAndChoosingSendsTheSourceId) {
  int phase = 0;
  WhileMenuOpen([&] { DropDown(); },
                [&] {
                  HWND copy = ShownCopy();
                  if (copy == nullptr) return false;
                  if (phase == 0) {
                    MenuScrollThread(2);
                    phase = 1;
                  } else if (phase == 1 && Row(0) == kTopArrow) {
                    Select(Rows() - 1);
                    // The key as the menu loop's filter hook reports it, then to the menu loop.
                    MSG key{};
                    key.message = WM_KEYDOWN;
                    key.wParam = VK_DOWN;
                    MenuBarMsgFilterHook(MSGF_MENU, 0, reinterpret_cast<LPARAM>(&key));
                    PostMessageW(Window, WM_KEYDOWN, VK_DOWN, 1);
                    phase = 2;
                  } else if (phase == 2 && Row(0) == 100 && Row(Rows() - 1) == kBottomArrow) {
                    // The menu loop chooses the selected item on the character of Return (the key
                    // itself ends a menu-bar drop-down through its filter hook first).
                    PostMessageW(copy, WM_CHAR, VK_RETURN, 1);
                    phase = 3;
                  }
                  return false;
                },
                500);
  PumpMessages();  // the chosen command is posted
  EXPECT_EQ(phase, 3);
  ASSERT_EQ(ReceivedCommands().size(), 1u);
  EXPECT_EQ(ReceivedCommands()[0].Id, 100);
}

}  // namespace
