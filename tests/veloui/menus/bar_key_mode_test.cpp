// The menu bar as the keyboard and the mouse meet it: separators are never stopped on, Alt or
// F10 and the arrows open titles in the toolkit itself, and no click on a title is lost.

#include <tuple>

#include "menus_fixture.h"
#include "veloui/menus/core/menu_navigation.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/menu_operations.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/popup_menus.h"

namespace {

constexpr LPARAM kAltDown = 0x20380001;
constexpr LPARAM kF10Down = 0x00440001;
constexpr LPARAM kArrowDown = 0x01500001;
constexpr LPARAM kReturnDown = 0x001C0001;
constexpr LPARAM kLeftDown = 0x014B0001;
constexpr LPARAM kRightDown = 0x014D0001;
constexpr int kEditId = 99;

// The menu commands the test window received (the field's own notices left out).
std::vector<WORD> MenuCommands() {
  std::vector<WORD> ids;
  for (const ReceivedCommand& command : ReceivedCommands) {
    if (command.Id != kEditId) ids.push_back(command.Id);
  }
  return ids;
}

LRESULT Key(WPARAM key, LPARAM data) { return MenuKeyboardHookProc(HC_ACTION, key, data); }

// A real press and release of the left button at a point of a window's client area.
void ClickAt(HWND window, POINT at) {
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  for (DWORD press : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    INPUT input{INPUT_MOUSE, {}};
    input.mi = {at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1), at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1),
                0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | press, 0, 0};
    SendInput(1, &input, sizeof(input));
  }
}

class BarKeyModeTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    SetCursorPos(1200, 1000);  // off the bar: the title under the mouse would be the one a notice opens
    Edit = MakeChild(L"EDIT", 0);
    SetWindowPos(Edit, nullptr, 10, 200, 150, 24, SWP_NOZORDER);
    SetWindowLongPtrW(Edit, GWLP_ID, kEditId);  // its notices are no menu commands
    Bar = BuildMenuBar(Window);
    ASSERT_NE(Bar, nullptr);
    ShowWindow(Window, SW_SHOW);
    SetForegroundWindow(Window);
    SetActiveWindow(Window);
    SetFocus(Edit);
    PumpFor(50);
  }
  static HMENU Title(int k) { return std::next(MenuList().begin(), k)->Handle; }
  LRESULT HotTitle() const { return SendMessageW(Bar, TB_GETHOTITEM, 0, 0); }
  std::tuple<int, int, LRESULT, HWND> Idle() const {
    return {MenuTracking.MenuMode, MenuTracking.MenuBarKeyMode, HotTitle(), GetFocus()};
  }
  POINT TitleCentre(int k) const {
    RECT title{};
    SendMessageW(Bar, TB_GETITEMRECT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&title));
    MapWindowPoints(Bar, Window, reinterpret_cast<POINT*>(&title), 2);
    return {(title.left + title.right) / 2, (title.top + title.bottom) / 2};
  }
  // Runs `keys` and pumps until a drop-down is open; the menu that opened and whether its first
  // item was selected (nullptr when none opened).
  std::tuple<HMENU, bool> OpenedBy(const std::function<void()>& keys) {
    HMENU opened = nullptr;
    bool firstSelected = false;
    WhileMenuOpen([&] { keys(); for (int k = 0; k < 40 && opened == nullptr; ++k) PumpFor(10); },
                  [&] {
                    if (OpenPopupWindow() == nullptr || MenuTracking.TrackedMenu == nullptr) return false;
                    opened = MenuTracking.TrackedMenu;
                    firstSelected = (GetMenuState(opened, 0, MF_BYPOSITION) & MF_HILITE) != 0;
                    return firstSelected;
                  }, 40);
    return {opened, firstSelected};
  }
  // The commands the keys posted to an open drop-down of title k chose.
  std::vector<WORD> ChosenInTitle(int k, std::initializer_list<WPARAM> keys) {
    bool sent = false;
    WhileMenuOpen([&] { DropDown(Bar, k); },
                  [&] {
                    if (OpenPopupWindow() == nullptr) return false;
                    if (!sent) for (WPARAM key : keys) PostMessageW(Window, WM_KEYDOWN, key, 1);
                    sent = true;
                    return false;
                  }, 40);
    PumpFor(20);
    return MenuCommands();
  }

  HWND Edit = nullptr;
  HWND Bar = nullptr;
};

UINT TypeOf(HMENU menu, int position) { return ItemInfo(menu, static_cast<UINT>(position), true, MIIM_FTYPE).fType; }

TEST_F(BarKeyModeTest, EverySeparatorIsASeparatorToTheSystemWhateverItsIdAndAnItemWithTextIsNone) {
  EXPECT_EQ(TypeOf(Title(0), 1), static_cast<UINT>(MFT_OWNERDRAW | MFT_SEPARATOR));
  EXPECT_EQ(TypeOf(Title(0), 0), static_cast<UINT>(MFT_OWNERDRAW));
  HMENU popup = CreateSkinnedPopupMenu(70, UISTYLE_OFFICE2003);
  AddMenuItem(71, u"One", nullptr, nullptr, nullptr, 0);
  AddMenuSeparator();
  AddMenuItem(72, u"", nullptr, nullptr, nullptr, 0);  // an empty line with an id is a line too
  EXPECT_EQ(TypeOf(popup, 1), static_cast<UINT>(MFT_OWNERDRAW | MFT_SEPARATOR));
  EXPECT_EQ(TypeOf(popup, 2), static_cast<UINT>(MFT_OWNERDRAW | MFT_SEPARATOR));
  EXPECT_EQ(GetMenuItemID(popup, 2), 72u);
  // Given a text it becomes an item, and without one a line again.
  SetMenuItemEx(70, 72, u"Two", nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(TypeOf(popup, 2), static_cast<UINT>(MFT_OWNERDRAW));
  SetMenuItemEx(70, 72, u"", nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(TypeOf(popup, 2), static_cast<UINT>(MFT_OWNERDRAW | MFT_SEPARATOR));
}

// A title too long for the screen is shown as a copy: its lines are separators to the system
// too, and its arrows and spacer stay rows.
TEST_F(BarKeyModeTest, TheLinesOfALongTitlesCopyAreSeparatorsAndItsSpecialRowsAreNot) {
  CreateMenuBar(7, Window, UISTYLE_OFFICE2003);
  AddMenuTitle(u"Long");
  for (int k = 0; k < 80; ++k) {
    AddMenuItem(300 + k, u"Item", nullptr, nullptr, nullptr, 0);
    if (k % 4 == 3) AddMenuSeparator();
  }
  HWND longBar = nullptr;
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Id == 7) longBar = menu.Toolbar;
  }
  ASSERT_NE(longBar, nullptr);
  int lines = 0, rows = 0, wrong = 0;
  WhileMenuOpen([&] { DropDown(longBar, 0); },
                [&] {
                  HMENU copy = MenuTracking.CopyMenu;
                  if (copy == nullptr || MenuScroll.ReshowPending || OpenPopupWindow() == nullptr) return false;
                  for (int k = 0; k < GetMenuItemCount(copy); ++k) {
                    const UINT id = GetMenuItemID(copy, k);
                    const bool special = (id & 0xFFFF0000u) == 0xFFFF0000u;
                    const bool line = (TypeOf(copy, k) & MFT_SEPARATOR) != 0;
                    lines += line ? 1 : 0;
                    rows += special ? 1 : 0;
                    if (line != (id == 0)) ++wrong;
                  }
                  return true;
                }, 40);
  FreeScrollCopy();
  EXPECT_GT(lines, 2);
  EXPECT_EQ(rows, 2);  // the spacer and the bottom arrow
  EXPECT_EQ(wrong, 0);
}

TEST_F(BarKeyModeTest, DownPassesOverTheSeparatorOfADropDownAndOfAContextMenu) {
  EXPECT_EQ(ChosenInTitle(1, {VK_DOWN, VK_DOWN, VK_RETURN}), (std::vector<WORD>{12}));
  ReceivedCommands.clear();
  bool sent = false;
  WhileMenuOpen([&] { ShowPopupMenu(reinterpret_cast<std::intptr_t>(Title(2)), Window, 100, 100); },
                [&] {
                  if (OpenPopupWindow() == nullptr) return false;
                  if (!sent) for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(Window, WM_KEYDOWN, key, 1);
                  sent = true;
                  return false;
                }, 40);
  PumpFor(20);
  EXPECT_EQ(MenuCommands(), (std::vector<WORD>{22}));
}

TEST_F(BarKeyModeTest, AltThenDownAndF10ThenReturnOpenTheHotTitleWithItsFirstItemSelected) {
  EXPECT_EQ(OpenedBy([] {
              Key(VK_MENU, kAltDown);
              EXPECT_EQ(Key(VK_DOWN, kArrowDown), 1);
            }),
            std::tuple(Title(0), true));
  EXPECT_EQ(Idle(), std::tuple(0, 0, -1, Edit));
  EXPECT_EQ(OpenedBy([] {
              Key(VK_F10, kF10Down);
              EXPECT_EQ(Key(VK_RETURN, kReturnDown), 1);
            }),
            std::tuple(Title(0), true));
  EXPECT_EQ(Idle(), std::tuple(0, 0, -1, Edit));
}

TEST_F(BarKeyModeTest, LeftAndRightMoveTheHotTitleAroundTheBarAndDownOpensTheOneReached) {
  Key(VK_MENU, kAltDown);
  EXPECT_EQ(Key(VK_LEFT, kLeftDown), 1);
  EXPECT_EQ(HotTitle(), 3);
  EXPECT_EQ(Key(VK_RIGHT, kRightDown), 1);
  EXPECT_EQ(HotTitle(), 0);
  EXPECT_EQ(OpenedBy([] { Key(VK_RIGHT, kRightDown); Key(VK_DOWN, kArrowDown); }), std::tuple(Title(1), true));
  EXPECT_EQ(Idle(), std::tuple(0, 0, -1, Edit));
}

TEST_F(BarKeyModeTest, EscapeLeavesTheKeyModeEvenAfterAnotherKeyAndIsSwallowed) {
  Key(VK_MENU, kAltDown);
  Key('S', 0x001F0001);
  EXPECT_EQ(Key(VK_ESCAPE, 0x00010001), 1);
  EXPECT_EQ(Idle(), std::tuple(0, 0, -1, Edit));
}

TEST_F(BarKeyModeTest, AClickElsewhereOrTheFocusGoingElsewhereLeavesTheKeyMode) {
  Key(VK_MENU, kAltDown);
  ASSERT_EQ(GetFocus(), Bar);
  ClickAt(Edit, POINT{20, 10});
  PumpFor(100);
  EXPECT_EQ(Idle(), std::tuple(0, 0, -1, Edit));
  HWND other = MakeChild(L"EDIT", 0);
  Key(VK_MENU, kAltDown);
  SetFocus(other);
  EXPECT_EQ(Idle(), std::tuple(0, 0, -1, other));
}

TEST_F(BarKeyModeTest, F10OrAltInsideADropDownOpenedWithTheMouseClosesItAndEntersNoKeyMode) {
  for (auto [key, data] : {std::pair<WPARAM, LPARAM>{VK_F10, kF10Down}, {VK_MENU, kAltDown}}) {
    LRESULT swallowed = 0;
    WhileMenuOpen([&] { DropDown(Bar, 1); },
                  [&] {
                    if (OpenPopupWindow() == nullptr) return false;
                    swallowed = Key(key, data);
                    return true;
                  }, 40);
    EXPECT_EQ(swallowed, 1) << key;
    EXPECT_EQ(Idle(), std::tuple(0, 0, -1, Edit)) << key;
  }
}

TEST_F(BarKeyModeTest, AClickOnATitleOpensItWhereTheKeysLeftTheirMark) {
  MenuTracking.HotTitle = -2;  // as a title opened from the keys leaves it
  HMENU opened = nullptr;
  WhileMenuOpen([&] { ClickAt(Window, TitleCentre(2)); for (int k = 0; k < 40 && opened == nullptr; ++k) PumpFor(10); },
                [&] {
                  if (OpenPopupWindow() == nullptr) return false;
                  opened = MenuTracking.TrackedMenu;
                  return true;
                }, 40);
  EXPECT_EQ(opened, Title(2));
  // A notice no click caused is still swallowed.
  MenuTracking.HotTitle = -2;
  EXPECT_EQ(DropDown(Bar, 2), 0);
  EXPECT_EQ(MenuTracking.HotTitle, -1);
  EXPECT_EQ(OpenPopupWindow(), nullptr);
}

}  // namespace
