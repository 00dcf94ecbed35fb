// A menu bar driven as a user does: titles, Alt and Escape, the chevron, a too-long title's copy.

#include <list>
#include <tuple>

#include "menus_fixture.h"
#include "veloui/menus/menu_operations.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/popup_window.h"

namespace {

constexpr LPARAM kAltDown = 0x20380001;

// The key as the menu loop's filter hook reports it.
void FilterKey(WPARAM key) {
  MSG message{nullptr, WM_KEYDOWN, key, 0, 0, {}};
  MenuBarMsgFilterHook(MSGF_MENU, 0, reinterpret_cast<LPARAM>(&message));
}

class MenuBarTrackingTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    Edit = MakeChild(L"EDIT", 0);
    Bar = BuildMenuBar(Window);
    ASSERT_NE(Bar, nullptr);
    ShowWindow(Window, SW_SHOW);
    SetActiveWindow(Window);
    SetFocus(Edit);
  }
  // The drop-down of title k (the bar's records are its titles, in order).
  static HMENU Title(int k) { return std::next(MenuList().begin(), k)->Handle; }
  LRESULT HotTitle() const { return SendMessageW(Bar, TB_GETHOTITEM, 0, 0); }
  // Leaving the bar restores menu mode 0, no hot title (-1) and the focus.
  std::tuple<int, LRESULT, HWND> ModeHotAndFocus() const { return {MenuTracking.MenuMode, HotTitle(), GetFocus()}; }

  HWND Edit = nullptr;
  HWND Bar = nullptr;
};

TEST_F(MenuBarTrackingTest, AltMakesTheFirstTitleHotAndEscapeOrAltAgainGivesTheFocusBack) {
  EXPECT_EQ(MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown), 1);
  EXPECT_EQ(std::tuple(GetFocus(), HotTitle()), std::tuple(Bar, LRESULT{0}));
  MenuKeyboardHookProc(HC_ACTION, VK_ESCAPE, 0x00010001);
  EXPECT_EQ(ModeHotAndFocus(), std::tuple(0, -1, Edit));
  // Other keys hand the bar its keyboard; Alt again leaves the bar.
  MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown);
  MenuKeyboardHookProc(HC_ACTION, 'S', 0x001F0001);
  EXPECT_EQ(MenuTracking.MenuBarKeyMode, -2);
  EXPECT_EQ(MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown), 1);
  EXPECT_EQ(ModeHotAndFocus(), std::tuple(0, -1, Edit));
}

TEST_F(MenuBarTrackingTest, AltAndF10InAnotherActiveWindowAreLeftToThatWindow) {
  HWND dialog = MakeWindow(), field = MakeChild(L"EDIT", 0, dialog);
  ShowWindow(dialog, SW_SHOW);
  SetActiveWindow(dialog);
  SetFocus(field);
  ASSERT_EQ(GetActiveWindow(), dialog);
  EXPECT_NE(MenuKeyboardHookProc(HC_ACTION, VK_MENU, kAltDown), 1);
  EXPECT_NE(MenuKeyboardHookProc(HC_ACTION, VK_F10, 0x00440001), 1);
  EXPECT_EQ(MenuTracking.MenuBarKeyMode, 0);
  EXPECT_EQ(ModeHotAndFocus(), std::tuple(0, -1, field));
}

// Right on the last title opens the first, Left on the first the last (each switch reopens via the bar).
TEST_F(MenuBarTrackingTest, ATitleDropsDownUnderItselfRightAndLeftWrapAndAllClosesCleanly) {
  std::vector<int> opened;
  bool tracked = false;
  RECT popup{};
  int step = 0;
  WhileMenuOpen([&] {
                  EXPECT_EQ(DropDown(Bar, 3), 0);
                  for (int k = 0; k < 50 && opened.size() < 3; ++k) PumpFor(10);
                },
                [&] {
                  HWND window = OpenPopupWindow();
                  if (window == nullptr) return false;
                  if (opened.empty()) {
                    tracked = MenuTracking.TrackedMenu == Title(3) && MenuTracking.MenuBarFilterHook != nullptr;
                    popup = RectOf(window);
                  }
                  if (opened.empty() || opened.back() != MenuTracking.OpenTitle) opened.push_back(MenuTracking.OpenTitle);
                  if (MenuTracking.MenuMode == -2) FilterKey(VK_DOWN);  // the Down after a switch, as the menu loop reports it
                  else if (step < 2) FilterKey(step++ == 0 ? VK_RIGHT : VK_LEFT);
                  return step >= 2 && opened.size() >= 3;
                });
  EXPECT_TRUE(tracked);
  RECT title{};
  SendMessageW(Bar, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&title));
  MapWindowPoints(Bar, nullptr, reinterpret_cast<POINT*>(&title), 2);
  EXPECT_NEAR(popup.top, title.bottom - 1, 3);
  EXPECT_NEAR(popup.left, title.left, 6);
  EXPECT_EQ(opened, (std::vector<int>{3, 0, 3}));
  EXPECT_TRUE(MenuTracking.TrackedMenu == nullptr && MenuTracking.MenuBarFilterHook == nullptr);
  EXPECT_EQ(ModeHotAndFocus(), std::tuple(0, -1, Edit));
  for (const MenuRecord& record : MenuList()) EXPECT_FALSE(record.Open);
}

// Right on an item with a submenu opens the submenu, not the next title.
TEST_F(MenuBarTrackingTest, RightOnAnItemWithASubmenuOpensItInsteadOfTheNextTitle) {
  HMENU sub = CreateSkinnedPopupMenu(50, UISTYLE_OFFICE2003);
  AddMenuItem(51, u"Sub one", nullptr, nullptr, nullptr, 0);
  AddSubMenuItem(reinterpret_cast<std::intptr_t>(Title(0)), -1, 9, u"More", nullptr, nullptr, nullptr,
                 reinterpret_cast<std::intptr_t>(sub));
  int phase = 0, depth = -1, openTitle = -1, nextTitle = 0;
  WhileMenuOpen([&] { DropDown(Bar, 0); },
                [&] {
                  if (OpenPopupWindow() == nullptr) return false;
                  if (phase == 0) {
                    for (WPARAM key : {VK_UP, VK_RIGHT}) PostMessageW(Window, WM_KEYDOWN, key, 1);
                    phase = 1;
                    return false;
                  }
                  for (const PopupWindowRecord& record : PopupWindowList()) {
                    if (record.Submenu != sub) continue;
                    std::tie(depth, openTitle, nextTitle) =
                        std::tuple(MenuTracking.SubmenuDepth, MenuTracking.OpenTitle, MenuTracking.NextTitle);
                    return true;
                  }
                  return false;
                });
  EXPECT_EQ(std::tuple(depth, openTitle, nextTitle), std::tuple(1, 0, -1));
}

// Two levels down, Left closes only the deeper submenu and Right opens it again in the cascade's
// style: the submenu recorded is that of the item selected in the popup that stays open.
TEST_F(MenuBarTrackingTest, LeftThenRightReopensASecondLevelSubmenuInTheCascadesStyle) {
  HMENU deeper = CreateSkinnedPopupMenu(60, UISTYLE_WHIDBEY);
  AddMenuItem(61, u"Deep one", nullptr, nullptr, nullptr, 0);
  HMENU sub = CreateSkinnedPopupMenu(50, UISTYLE_OFFICE2003);
  AddSubMenuItem(50, -1, 51, u"Deeper", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(deeper));
  AddSubMenuItem(reinterpret_cast<std::intptr_t>(Title(0)), -1, 9, u"More", nullptr, nullptr, nullptr,
                 reinterpret_cast<std::intptr_t>(sub));
  const auto styleOfDeeper = [deeper] {
    for (const MenuRecord& record : MenuList()) {
      if (record.Handle == deeper) return record.Style;
    }
    return -1;
  };
  // The popup window showing `deeper` and its record's submenu; nullptr when none shows it.
  const auto deeperWindow = [deeper](HMENU& recorded) -> HWND {
    for (const PopupWindowRecord& record : PopupWindowList()) {
      if (reinterpret_cast<HMENU>(SendMessageW(record.Window, MN_GETHMENU, 0, 0)) != deeper) continue;
      recorded = record.Submenu;
      return record.Window;
    }
    return nullptr;
  };
  const std::int32_t ownStyle = styleOfDeeper(), cascadeStyle = MenuList().begin()->Style;
  ASSERT_NE(ownStyle, cascadeStyle);
  int phase = 0;
  HWND first = nullptr;
  HMENU firstRecorded = nullptr, againRecorded = nullptr;
  std::int32_t styleAgain = -1;
  WhileMenuOpen([&] { DropDown(Bar, 0); },
                [&] {
                  if (OpenPopupWindow() == nullptr) return false;
                  HMENU recorded = nullptr;
                  HWND shown = deeperWindow(recorded);
                  if (phase == 0) {
                    for (WPARAM key : {VK_UP, VK_RIGHT, VK_RIGHT}) PostMessageW(Window, WM_KEYDOWN, key, 1);
                    phase = 1;
                  } else if (phase == 1 && shown != nullptr) {
                    first = shown;
                    firstRecorded = recorded;
                    for (WPARAM key : {VK_LEFT, VK_RIGHT}) PostMessageW(Window, WM_KEYDOWN, key, 1);
                    phase = 2;
                  } else if (phase == 2 && shown != nullptr && shown != first) {
                    againRecorded = recorded;
                    styleAgain = styleOfDeeper();
                    return true;
                  }
                  return false;
                });
  EXPECT_EQ(firstRecorded, deeper) << "opened the first time";
  EXPECT_EQ(againRecorded, deeper) << "opened again after Left";
  EXPECT_EQ(styleAgain, cascadeStyle);
  EXPECT_EQ(styleOfDeeper(), ownStyle) << "its own style back once closed";
}

TEST_F(MenuBarTrackingTest, TheChevronMenuLendsTheHiddenTitlesTheirRealMenus) {
  HWND rebar = RebarCarrying(Bar, 400);
  RECT second{};
  SendMessageW(Bar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&second));
  MapWindowPoints(Bar, rebar, reinterpret_cast<POINT*>(&second), 2);
  const RECT beyond{second.left, 0, second.left + 12, 20};  // titles 2 and 3 lie beyond the chevron
  NMREBARCHEVRON chevron{{rebar, 0, static_cast<UINT>(RBN_CHEVRONPUSHED)}, 0, 0, 0, beyond, 0};
  std::vector<HMENU> lent;
  WhileMenuOpen([&] { SendMessageW(Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&chevron)); },
                [&] {
                  if (OpenPopupWindow() == nullptr || MenuTracking.TrackedMenu == nullptr) return false;
                  for (int k = 0; k < GetMenuItemCount(MenuTracking.TrackedMenu); ++k)
                    lent.push_back(GetSubMenu(MenuTracking.TrackedMenu, k));
                  return true;
                });
  EXPECT_EQ(lent, (std::vector<HMENU>{Title(2), Title(3)}));
  for (int k : {2, 3}) EXPECT_EQ(GetMenuItemCount(Title(k)), 3) << "still whole after the chevron menu";
  EXPECT_EQ(MenuTracking.ChevronFilterHook, nullptr);
}

constexpr UINT kTopArrow = 0xFFFFCBC2u;
constexpr UINT kBottomArrow = 0xFFFFCBC3u;
constexpr UINT kSpacer = 0xFFFFCBC6u;
constexpr int kItems = 60;

// One title of 60 items, a separator after every eighth, on a 1024-pixel screen; item 103
// ("&Quiet") is disabled.
class MenuScrollTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    Bar = reinterpret_cast<HWND>(CreateMenuBar(0, Window, UISTYLE_OFFICE2003));
    ASSERT_NE(Bar, nullptr);
    AddMenuTitle(u"Long");
    for (int k = 0; k < kItems; ++k) {
      const std::u16string text = k == 3 ? u"&Quiet" : k == 4 ? u"&Zap" : u"Item " + std::u16string(1, u'0' + k % 10);
      AddMenuItem(100 + k, text, nullptr, nullptr, nullptr, 0);
      if (k % 8 == 7) AddMenuSeparator();
    }
    SetMenuItemDisabled(0, 103, true);
  }
  // The copy is on screen and laid out (not waiting to be shown again).
  static HWND ShownCopy() { return MenuTracking.CopyMenu == nullptr || MenuScroll.ReshowPending ? nullptr : OpenPopupWindow(); }
  void TearDown() override { FreeScrollCopy(); MenusTest::TearDown(); }
  static UINT Row(int position) { return GetMenuItemID(MenuTracking.CopyMenu, position); }
  static int Rows() { return GetMenuItemCount(MenuTracking.CopyMenu); }
  static void Select(int position) { HiliteMenuItem(MenuScroll.Title->Window, MenuTracking.CopyMenu, position, MF_BYPOSITION | MF_HILITE); }
  static bool Shows(UINT row) {
    for (int k = 0; k < Rows(); ++k) if (Row(k) == row) return true;
    return false;
  }
  HWND Bar = nullptr;
};

// A separator is less than one 3-pixel step high: it is swapped in without a step.
TEST_F(MenuScrollTest, HeldArrowsScrollPastSeparatorsToTheEndAndBackAtTheSameHeight) {
  int phase = 0, firstHeight = 0;
  bool heightKept = true, startedRight = false, endedRight = false, backRight = false;
  SetCursorPos(1200, 1000);  // the selection holds the arrows; a mouse over the copy would move it
  WhileMenuOpen([&] { DropDown(Bar, 0); },
                [&] {
                  HWND copy = ShownCopy();
                  if (copy == nullptr) return false;
                  if (phase == 0) {
                    startedRight = Row(0) == 100 && Row(Rows() - 1) == kBottomArrow;
                    firstHeight = HeightOf(copy);
                    MenuKeyboardHookProc(HC_ACTION, 'Q', 0x00100001);  // a disabled item's mnemonic
                    Select(Rows() - 1);
                    phase = MenuScroll.ThreadActive ? 1 : 9;
                    return phase == 9;
                  }
                  heightKept = heightKept && HeightOf(copy) == firstHeight;
                  if (MenuScroll.ThreadActive) return false;
                  if (phase == 1) {
                    // The arrow of the end reached gives its place to the spacer.
                    endedRight = Row(0) == kTopArrow && Row(Rows() - 2) == 100 + kItems - 1 && Row(Rows() - 1) == kSpacer &&
                                 !Shows(kBottomArrow);
                    Select(2);  // off the arrows, then onto the top one
                    Select(0);
                    phase = MenuScroll.ThreadActive ? 2 : 9;
                    return phase == 9;
                  }
                  backRight = Row(0) == kSpacer && Row(1) == 100 && Row(Rows() - 1) == kBottomArrow && !Shows(kTopArrow);
                  MenuKeyboardHookProc(HC_ACTION, 'Z', 0x002C0001);
                  return false;
                },
                3000);
  EXPECT_EQ(phase, 2) << "each arrow starts the scroll thread";
  EXPECT_EQ(std::tuple(startedRight, heightKept, endedRight, backRight), std::tuple(true, true, true, true));
  ASSERT_EQ(ReceivedCommands.size(), 1u) << "the disabled item's mnemonic fires nothing";
  EXPECT_EQ(ReceivedCommands[0].Id, 104);
  EXPECT_TRUE(MenuTracking.CopyMenu == nullptr && !FindMenuRecord(0)->Scrolling);
}

TEST_F(MenuScrollTest, DownOnTheLastItemWrapsToTheStartAndChoosingSendsTheSourceId) {
  int phase = 0;
  WhileMenuOpen([&] { DropDown(Bar, 0); },
                [&] {
                  HWND copy = ShownCopy();
                  if (copy == nullptr) return false;
                  if (phase == 0) {
                    MenuScrollThread(2);
                    phase = 1;
                  } else if (phase == 1 && Row(0) == kTopArrow) {
                    Select(Rows() - 1);
                    FilterKey(VK_DOWN);  // the filter hook sees the key first, then the menu loop
                    PostMessageW(Window, WM_KEYDOWN, VK_DOWN, 1);
                    phase = 2;
                  } else if (phase == 2 && Row(0) == 100 && Row(Rows() - 1) == kBottomArrow) {
                    // Return's character chooses (its key would end the drop-down in the filter hook).
                    PostMessageW(copy, WM_CHAR, VK_RETURN, 1);
                    phase = 3;
                  }
                  return false;
                },
                500);
  PumpFor(0);  // the chosen command is posted
  EXPECT_EQ(phase, 3);
  ASSERT_EQ(ReceivedCommands.size(), 1u);
  EXPECT_EQ(ReceivedCommands[0].Id, 100);
}

// The copy's items keep their kind of mark: a radio item is drawn as one while scrolled. A rebuild
// paints the copy before it is let go for selection again, not on some later paint.
TEST_F(MenuScrollTest, TheCopysItemsKeepTheirRadioAndCheckMarksAndARebuildPaintsItAtOnce) {
  SetMenuItemState(0, 101, 2);
  SetMenuItemState(0, 102, 1 | 0x1000);
  ASSERT_NE(BuildScrollCopy(*FindMenuRecord(0), 300), nullptr);
  for (UINT position : {1u, 2u}) {
    const MENUITEMINFOW info = ItemInfo(MenuTracking.CopyMenu, position, true, MIIM_FTYPE | MIIM_STATE | MIIM_DATA);
    const auto* item = reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(std::tuple(item->IsRadio != 0, item->CheckFlag != 0, (info.fType & MFT_RADIOCHECK) != 0, (info.fState & MFS_CHECKED) != 0),
              std::tuple(position == 1, position == 2, position == 1, true));
  }
  MenuTracking.CopyWindow = Window;
  ShowWindow(Window, SW_SHOW);
  UpdateWindow(Window);
  std::vector<bool> paintedWhileRunning;
  OnTestWindowMessage = [&](UINT message) { if (message == WM_PAINT) paintedWhileRunning.push_back(MenuScroll.Running); };
  MenuScrollThread(2);
  EXPECT_TRUE(!paintedWhileRunning.empty() && paintedWhileRunning.front());
}

// A held arrow scrolls until the selection leaves it, by the mouse or by the keyboard.
TEST_F(MenuScrollTest, TheKeyboardTakingTheSelectionOffAHeldArrowStopsTheScroll) {
  ASSERT_NE(BuildScrollCopy(*FindMenuRecord(0), 300), nullptr);
  const WPARAM selected = MAKEWPARAM(0, MF_OWNERDRAW | MF_HILITE);
  const auto requestedAfter = [&](WORD command, bool keyboard) {
    MenuScroll.Requested = true;
    MenuTracking.KeyboardNavigation = keyboard;
    NoteMenuSelect(selected | command, reinterpret_cast<LPARAM>(MenuTracking.CopyMenu));
    return static_cast<bool>(MenuScroll.Requested);
  };
  EXPECT_FALSE(requestedAfter(101, true)) << "an item";
  EXPECT_FALSE(requestedAfter(0xCBC6, true)) << "the spacer";
  EXPECT_TRUE(requestedAfter(0xCBC3, true)) << "still on an arrow";
  EXPECT_FALSE(requestedAfter(101, false)) << "the mouse on an item";
  MenuScroll.Requested = false;
}

// What the menu loop takes from the queue while a held arrow scrolls: it does so only between two
// steps of the scroll thread (a step is a sent message, served inside the loop's own peek).
struct HeldScrollWatch {
  int Seen = 0;    // messages taken while the thread is in its loop
  int Frozen = 0;  // of them, while the copy was frozen
  int LeaveAfter = 0;  // then the mouse moves onto an item
  bool Left = false;
  bool StopAsked = false;  // by the popup window's selection alone
};
HeldScrollWatch Watch;

LRESULT CALLBACK WatchHeldScroll(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && MenuScroll.ThreadActive && MenuScroll.Requested && !MenuScroll.Finished) {
    ++Watch.Seen;
    Watch.Frozen += MenuScroll.Running ? 1 : 0;
    // As the system reports the mouse onto an ordinary item to the popup window; then the item
    // is highlighted as the mouse would (where Wine shows the copy again it selects what is lit).
    // On a paint of the copy: nothing is posted then that would select the arrow again.
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (!Watch.Left && Watch.Seen >= Watch.LeaveAfter && !MenuScroll.ReshowPending && message.message == WM_PAINT &&
        message.hwnd == MenuTracking.CopyWindow && message.hwnd != nullptr) {
      Watch.Left = true;
      SendMessageW(MenuTracking.CopyWindow, kMenuSelectItemMessage, 2, 0);
      Watch.StopAsked = !MenuScroll.Requested;
      HiliteMenuItem(MenuScroll.Title->Window, MenuTracking.CopyMenu, 2, MF_BYPOSITION | MF_HILITE);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A held arrow keeps the copy frozen from its first step to its last, between the steps too. The
// mouse leaving the arrow still stops the scroll, though the frozen selection is not taken.
TEST_F(MenuScrollTest, AHeldArrowFreezesTheCopyForItsWholeScrollAndTheMouseLeavingItStopsIt) {
  Watch = HeldScrollWatch{0, 0, 20, false, false};
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, WatchHeldScroll, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  int phase = 0;
  bool stoppedBeforeTheEnd = false, thawed = false;
  SetCursorPos(1200, 1000);
  WhileMenuOpen([&] { DropDown(Bar, 0); },
                [&] {
                  HWND copy = ShownCopy();
                  if (copy == nullptr) return false;
                  if (phase == 0) {
                    Select(Rows() - 1);
                    phase = MenuScroll.ThreadActive ? 1 : 9;
                    return phase == 9;
                  }
                  if (MenuScroll.ThreadActive) return false;
                  stoppedBeforeTheEnd = Shows(kBottomArrow) && !Shows(100 + kItems - 1);
                  thawed = !MenuScroll.Running;
                  return true;
                },
                3000);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(phase, 1);
  EXPECT_TRUE(Watch.Left) << "the loop took " << Watch.Seen << " messages during the scroll";
  EXPECT_TRUE(Watch.StopAsked) << "the selection leaving the held arrow did not stop it";
  EXPECT_EQ(Watch.Frozen, Watch.Seen) << "the copy thawed between two steps of the hold";
  EXPECT_EQ(std::tuple(stoppedBeforeTheEnd, thawed), std::tuple(true, true));
}

// Where the system never reports the mouse leaving a held arrow (Wine, between two showings of the
// copy), where the mouse is decides: resting on an item of the copy, it stops the scroll before its
// first step. (Resting outside the copy, it leaves the scroll alone: the other tests hold arrows so.)
TEST_F(MenuScrollTest, AHeldArrowStopsWhenTheMouseRestsOnAnItemOfTheCopy) {
  int phase = 0;
  POINT target{};
  bool stoppedOnTheItem = false;
  SetCursorPos(1200, 1000);
  WhileMenuOpen([&] { DropDown(Bar, 0); },
                [&] {
                  HWND copy = ShownCopy();
                  if (copy == nullptr || MenuScroll.ThreadActive) return false;
                  POINT now{};
                  GetCursorPos(&now);
                  if (phase == 0) {
                    RECT row{};
                    GetMenuItemRect(nullptr, MenuTracking.CopyMenu, 2, &row);
                    target = POINT{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
                    SetCursorPos(target.x, target.y);
                    phase = 1;
                  } else if (phase == 1 && now.x == target.x && now.y == target.y) {
                    Select(Rows() - 1);
                    phase = MenuScroll.ThreadActive ? 2 : 9;
                    return phase == 9;
                  } else if (phase == 2) {
                    stoppedOnTheItem = Row(0) == 100 && !Shows(kTopArrow) && Shows(kBottomArrow);
                    return true;
                  }
                  return false;
                },
                1000);
  SetCursorPos(1200, 1000);
  EXPECT_EQ(phase, 2);
  EXPECT_TRUE(stoppedOnTheItem);
}

// While a held arrow scrolls, the system's selections in the copy's window are suppressed, but
// noted first: the mouse onto an item, or the keyboard onto anything but an arrow, stops it.
TEST_F(MenuScrollTest, ASelectionLeavingAHeldArrowStopsItThoughTheScrollSuppressesIt) {
  ASSERT_NE(BuildScrollCopy(*FindMenuRecord(0), 300), nullptr);
  const int item = 2, spacer = Rows() - 2, arrow = Rows() - 1;
  ASSERT_EQ(std::tuple(Row(spacer), Row(arrow)), std::tuple(kSpacer, kBottomArrow));
  HWND copy = MakeWindow();
  MenuTracking.CopyWindow = copy;
  for (auto [keyboard, position, held] : {std::tuple(false, item, false), std::tuple(false, spacer, true),
                                          std::tuple(false, arrow, true), std::tuple(true, item, false),
                                          std::tuple(true, spacer, false), std::tuple(true, arrow, true)}) {
    SCOPED_TRACE(testing::Message() << keyboard << " " << position);
    MenuScroll.Running = true;
    MenuScroll.Requested = true;
    MenuTracking.KeyboardNavigation = keyboard;
    PopupMenuWindowProc(copy, kMenuSelectItemMessage, static_cast<WPARAM>(position), 0);
    EXPECT_EQ(static_cast<bool>(MenuScroll.Requested), held);
    EXPECT_FALSE(MenuScroll.ThreadActive) << "a held scroll is never started a second time";
  }
  MenuScroll.Running = false;
  MenuScroll.Requested = false;
  PopupMenuWindowProc(copy, WM_DESTROY, 0, 0);
  MenuTracking.CopyWindow = nullptr;
}

// A handler that frees the bar takes the title's record away (here it is kept, to see whether it
// is written or read): after a command (mnemonic) or a selection sent to the copy's window (whose
// handler is the test window's here) the copy looks the title up again.
TEST_F(MenuScrollTest, AHandlerThatTakesTheTitleAwayLeavesItsRecordAlone) {
  MenuRecord& title = *FindMenuRecord(0);
  ASSERT_NE(BuildScrollCopy(title, 300), nullptr);
  MenuTracking.TrackedMenuRecord = &title;
  std::list<MenuRecord> taken;
  OnTestWindowMessage = [&](UINT message) {
    if ((message == WM_COMMAND || message == kMenuSelectItemMessage) && taken.empty())
      taken.splice(taken.end(), MenuList(), MenuList().begin());
  };
  EXPECT_TRUE(FireCopyMnemonic('Z'));
  ASSERT_EQ(ReceivedCommands.size(), 1u);
  EXPECT_TRUE(title.Scrolling);
  MenuList().splice(MenuList().begin(), taken);
  FreeScrollCopy();
  SetCursorPos(1200, 1000);
  bool hilited = true;
  WhileMenuOpen([&] { DropDown(Bar, 0); },
                [&] {
                  HWND copy = ShownCopy();
                  if (copy == nullptr) return false;
                  MenuTracking.CopyWindow = Window;
                  SelectCopyPosition(2);
                  MenuTracking.CopyWindow = copy;
                  hilited = (GetMenuState(MenuTracking.CopyMenu, 2, MF_BYPOSITION) & MF_HILITE) != 0;
                  MenuList().splice(MenuList().begin(), taken);
                  return true;
                });
  EXPECT_FALSE(hilited) << "selected for the old title's window";
}

}  // namespace
