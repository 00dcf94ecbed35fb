// Context menus and their popup windows, driven from inside the system's menu loop.
#include "menus_fixture.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/menu_scroll.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/menus/popup_menus.h"
#include "veloui/menus/popup_window.h"
#include "veloui/menus/toolbar_extras.h"

namespace {

class PopupsTest : public MenusTest {};

class PopupMenuTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    Edit = MakeChild(L"EDIT", 0);
    SetFocus(Edit);
  }
  // 41 "Kick", 42 "Ban", a separator and 43 "Copy GUID".
  static HMENU MakeContextMenu(std::intptr_t id) {
    HMENU menu = CreateSkinnedPopupMenu(id, UISTYLE_OFFICE2003);
    for (auto [item, text] : {std::pair{41, u"Kick"}, {42, u"Ban"}, {0, nullptr}, {43, u"Copy GUID"}})
      text != nullptr ? AddMenuItem(item, text, nullptr, nullptr, nullptr, 0) : AddMenuSeparator();
    return menu;
  }
  HWND Edit = nullptr;
};

TEST_F(PopupMenuTest, NothingIsShownWithoutItemsOrForAnUnknownMenu) {
  EXPECT_EQ(ShowPopupMenu(3, Window, 100, 100), 0);
  CreateSkinnedPopupMenu(3, UISTYLE_OFFICE2003);
  EXPECT_EQ(ShowPopupMenu(3, Window, 100, 100), 0) << "a menu without items";
  EXPECT_EQ(MenuTracking.PopupFilterHook, nullptr);
}

// A release on the popup's border keeps it open; one outside ends the menu by itself.
TEST_F(PopupMenuTest, WhileOpenThePopupIsHookedSubclassedAndFramedAReleaseOutsideClosesItAndTheFocusComesBack) {
  HMENU menu = MakeContextMenu(5);
  bool hookedAndTracked = false, openAfterInside = false;
  HWND popup = nullptr;
  WNDPROC procedure = nullptr;
  RECT item{}, separator{}, frame{}, client{};
  int result = 0, phase = 0;
  // Looks at the open popup, then releases the mouse on its corner and next outside it.
  const auto step = [&] {
    if (OpenPopupWindow() == nullptr || phase == 2) return false;
    if (phase == 0) {
      popup = OpenPopupWindow();
      hookedAndTracked = MenuTracking.PopupFilterHook != nullptr && MenuTracking.PopupMouseHook != nullptr &&
                         MenuTracking.TrackedMenu == menu;
      procedure = ProcedureOf(popup);
      GetMenuItemRect(Window, menu, 0, &item);
      GetMenuItemRect(Window, menu, 2, &separator);
      frame = RectOf(popup);
      GetClientRect(popup, &client);
      MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&client), 2);
    } else {
      openAfterInside = IsWindowVisible(popup) != FALSE;
    }
    MSLLHOOKSTRUCT event{};
    event.pt = phase++ == 0 ? POINT{frame.right, frame.bottom} : POINT{frame.right + 40, frame.bottom + 40};
    PopupMenuMouseHookLL(HC_ACTION, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&event));
    return false;
  };
  const int ticks = WhileMenuOpen([&] { result = ShowPopupMenu(5, Window, 200, 150); }, step);
  EXPECT_EQ(result, 1);
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(hookedAndTracked);
  EXPECT_EQ(procedure, &PopupMenuWindowProc);
  EXPECT_EQ(separator.bottom - separator.top, 2) << "an Office separator";
  EXPECT_GE(item.bottom - item.top, 16 + 4 + 3);
  // An Office popup has a one-pixel side and a two-pixel top and bottom border.
  EXPECT_EQ(Corners(client), Corners({frame.left + 1, frame.top + 2, frame.right - 1, frame.bottom - 2}));
  EXPECT_TRUE(openAfterInside);
  EXPECT_EQ(phase, 2);
  EXPECT_LT(ticks, 100) << "the release outside ended the menu";
  EXPECT_EQ(MenuTracking.PopupFilterHook, nullptr);
  EXPECT_EQ(MenuTracking.PopupMouseHook, nullptr);
  EXPECT_EQ(MenuTracking.TrackedMenu, nullptr);
  EXPECT_EQ(GetFocus(), Edit);
  EXPECT_FALSE(FindMenuRecord(5)->Tracking);
  EXPECT_TRUE(PopupWindowList().empty()) << "records go with their windows";
}

TEST_F(PopupMenuTest, PostedKeysChooseAnItemAndItsCommandReachesTheOwner) {
  MakeContextMenu(8);
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(Window, WM_KEYDOWN, key, 1);
  WhileMenuOpen([&] { ShowPopupMenu(8, Window, 200, 150); }, [] { return false; });
  PumpFor(0);
  ASSERT_FALSE(ReceivedCommands.empty());
  EXPECT_EQ(ReceivedCommands.back().Id, 42);
}

TEST_F(PopupMenuTest, TheSelectionFadeIsOffWhileAStyledMenuIsOpenAndBackOnAfterwards) {
  BOOL original = FALSE;
  SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &original, 0);
  SystemParametersInfoW(SPI_SETSELECTIONFADE, 0, reinterpret_cast<void*>(TRUE), 0);
  BOOL check = FALSE;
  SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &check, 0);
  if (!check) GTEST_SKIP() << "this system keeps no selection-fade setting";
  MakeContextMenu(10);
  BOOL during = TRUE;
  WhileMenuOpen([&] { ShowPopupMenu(10, Window, 200, 150); },
                [&] { return OpenPopupWindow() != nullptr && SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &during, 0); });
  BOOL after = FALSE;
  SystemParametersInfoW(SPI_GETSELECTIONFADE, 0, &after, 0);
  SystemParametersInfoW(SPI_SETSELECTIONFADE, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(original)), 0);
  EXPECT_FALSE(during);
  EXPECT_TRUE(after);
}

TEST_F(PopupsTest, AutomaticItemIdsCountDownFrom65534AndSkipIdsInUse) {
  HMENU menu = CreateSkinnedPopupMenu(12, UISTYLE_OFFICE2003);
  ASSERT_EQ(AddMenuItem(65533, u"Taken", nullptr, nullptr, nullptr, 0), 1);
  const std::int32_t first = AddMenuItem(-1, u"A", nullptr, nullptr, nullptr, 0);
  const std::int32_t second = AddMenuItem(-1, u"B", nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(std::tuple(first, second), std::tuple(65534, 65532)) << "65533 is an item's already";
  EXPECT_EQ(std::tuple(GetMenuItemID(menu, 1), GetMenuItemID(menu, 2)), std::tuple(65534u, 65532u));
}

TEST_F(PopupsTest, APopupMenuIdInUseMakesNoSecondMenu) {
  HMENU first = CreateSkinnedPopupMenu(3, UISTYLE_OFFICE2003);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CreateSkinnedPopupMenu(3, UISTYLE_OFFICE2007), nullptr);
  int records = 0;
  for (const MenuRecord& menu : MenuList()) records += menu.Id == 3 ? 1 : 0;
  EXPECT_EQ(records, 1);
  EXPECT_EQ(FindMenuRecord(3)->Handle, first);
  EXPECT_EQ(FindMenuRecord(3)->Style, 6) << "the first menu keeps its style";
}

// A submenu of another style is drawn in its Office 2003 parent's while it shows, and gets its own back.
TEST_F(PopupMenuTest, ASubmenuOfAnotherStyleTakesTheCascadesStyleWhileItShows) {
  HMENU sub = CreateSkinnedPopupMenu(21, UISTYLE_WHIDBEY);
  AddMenuItem(51, u"Sub one", nullptr, nullptr, nullptr, 0);
  CreateSkinnedPopupMenu(20, UISTYLE_OFFICE2003);
  AddMenuItem(11, u"Plain", nullptr, nullptr, nullptr, 0);
  AddMenuItem(12, u"More", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(sub));
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RIGHT}) PostMessageW(Window, WM_KEYDOWN, key, 1);
  std::int32_t during = 0, saved = 0;
  WhileMenuOpen([&] { ShowPopupMenu(20, Window, 200, 150); },
                [&] {
                  for (const PopupWindowRecord& record : PopupWindowList()) {
                    if (record.Submenu != sub) continue;
                    during = FindMenuRecord(21)->Style;
                    saved = record.SavedStyle;
                    return true;
                  }
                  return false;
                });
  EXPECT_EQ(std::tuple(during, saved), std::tuple(6, std::int32_t{UISTYLE_WHIDBEY}));
  EXPECT_EQ(FindMenuRecord(21)->Style, std::int32_t{UISTYLE_WHIDBEY});
}

// Two levels down in a context menu, Left closes the deeper submenu and Right opens it again in the
// cascade's style, as the first time.
TEST_F(PopupMenuTest, LeftThenRightReopensASecondLevelSubmenuInTheCascadesStyle) {
  HMENU deep = CreateSkinnedPopupMenu(44, UISTYLE_WHIDBEY);
  AddMenuItem(45, u"Leaf", nullptr, nullptr, nullptr, 0);
  HMENU middle = CreateSkinnedPopupMenu(42, UISTYLE_OFFICE2003);
  AddMenuItem(0, u"Deeper", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(deep));
  CreateSkinnedPopupMenu(40, UISTYLE_OFFICE2003);
  AddMenuItem(0, u"One", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(middle));
  const auto post = [&](std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) PostMessageW(Window, WM_KEYDOWN, key, 1);
  };
  // The window showing `deep` and the submenu its record holds.
  const auto deepWindow = [deep](HMENU& recorded) -> HWND {
    for (const PopupWindowRecord& record : PopupWindowList()) {
      if (reinterpret_cast<HMENU>(SendMessageW(record.Window, MN_GETHMENU, 0, 0)) != deep) continue;
      recorded = record.Submenu;
      return record.Window;
    }
    return nullptr;
  };
  HWND first = nullptr;
  HMENU firstRecorded = nullptr, againRecorded = nullptr;
  std::int32_t firstStyle = -1, againStyle = -1;
  int phase = 0;
  WhileMenuOpen([&] { ShowPopupMenu(40, Window, 200, 150); },
                [&] {
                  HMENU recorded = nullptr;
                  HWND shown = deepWindow(recorded);
                  if (phase == 0 && !PopupWindowList().empty()) {
                    post({VK_DOWN, VK_RIGHT, VK_RIGHT});
                    phase = 1;
                  } else if (phase == 1 && shown != nullptr) {
                    std::tie(first, firstRecorded, firstStyle) = std::tuple(shown, recorded, FindMenuRecord(44)->Style);
                    post({VK_LEFT, VK_RIGHT});
                    phase = 2;
                  } else if (phase == 2 && shown != nullptr && shown != first) {
                    std::tie(againRecorded, againStyle) = std::tuple(recorded, FindMenuRecord(44)->Style);
                    return true;
                  }
                  return false;
                });
  ASSERT_EQ(phase, 2);
  EXPECT_EQ(std::tuple(firstRecorded, firstStyle), std::tuple(deep, std::int32_t{6}));
  EXPECT_EQ(std::tuple(againRecorded, againStyle), std::tuple(deep, std::int32_t{6})) << "opened again after Left";
  EXPECT_EQ(FindMenuRecord(44)->Style, std::int32_t{UISTYLE_WHIDBEY});
}

// A submenu is placed against the item that opens it, beside the popup that holds that item, also
// after a submenu of a submenu has come and gone: nothing of a closed window's placement is left
// behind for the next.
TEST_F(PopupMenuTest, ASubmenuOpenedAfterADeeperOneClosedIsPlacedBesideItsOwnParentItem) {
  HMENU deep = CreateSkinnedPopupMenu(34, UISTYLE_OFFICE2003);
  AddMenuItem(35, u"Leaf", nullptr, nullptr, nullptr, 0);
  HMENU deepToo = CreateSkinnedPopupMenu(36, UISTYLE_OFFICE2003);
  AddMenuItem(37, u"Other leaf", nullptr, nullptr, nullptr, 0);
  HMENU middle = CreateSkinnedPopupMenu(32, UISTYLE_OFFICE2003);
  AddMenuItem(0, u"Deeper", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(deep));
  AddMenuItem(0, u"Deeper too", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(deepToo));
  HMENU middleToo = CreateSkinnedPopupMenu(38, UISTYLE_OFFICE2003);
  AddMenuItem(39, u"Plain", nullptr, nullptr, nullptr, 0);
  CreateSkinnedPopupMenu(30, UISTYLE_OFFICE2003);
  AddMenuItem(0, u"One", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(middle));
  AddMenuItem(0, u"Two", nullptr, nullptr, nullptr, reinterpret_cast<std::intptr_t>(middleToo));
  const auto post = [&](std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) PostMessageW(Window, WM_KEYDOWN, key, 1);
  };
  // The windows of the cascade, outermost first, once `count` are open.
  std::vector<RECT> open;
  const auto opened = [&](std::size_t count) {
    if (PopupWindowList().size() != count) return false;
    open.clear();
    for (const PopupWindowRecord& record : PopupWindowList()) open.push_back(RectOf(record.Window));
    return true;
  };
  RECT first{}, middleRect{}, deepRect{}, deepTooRect{}, middleTooRect{}, firstItem{}, secondItem{};
  int phase = 0;
  WhileMenuOpen([&] { ShowPopupMenu(30, Window, 200, 150); },
                [&] {
                  if (phase == 0 && opened(1)) {
                    first = open[0];
                    post({VK_DOWN, VK_RIGHT});
                    phase = 1;
                  } else if (phase == 1 && opened(2)) {
                    middleRect = open[1];
                    GetMenuItemRect(nullptr, middle, 0, &firstItem);
                    GetMenuItemRect(nullptr, middle, 1, &secondItem);
                    post({VK_RIGHT});
                    phase = 2;
                  } else if (phase == 2 && opened(3)) {
                    deepRect = open[2];
                    post({VK_LEFT, VK_DOWN, VK_RIGHT});
                    phase = 3;
                  } else if (phase == 3 && opened(3) && Corners(open[2]) != Corners(deepRect)) {
                    deepTooRect = open[2];
                    post({VK_LEFT, VK_LEFT, VK_DOWN, VK_RIGHT});
                    phase = 4;
                  } else if (phase == 4 && opened(2) && Corners(open[1]) != Corners(middleRect)) {
                    middleTooRect = open[1];
                    return true;
                  }
                  return false;
                });
  ASSERT_EQ(phase, 4);
  EXPECT_EQ(middleTooRect.left, middleRect.left) << "beside the first popup again";
  EXPECT_GT(middleTooRect.top, middleRect.top) << "against its own, lower item";
  EXPECT_GT(deepRect.left, middleRect.left);
  EXPECT_EQ(deepTooRect.left, deepRect.left) << "beside the middle popup again";
  EXPECT_EQ(deepTooRect.top - deepRect.top, secondItem.top - firstItem.top) << "against its own item";
  EXPECT_GT(middleRect.left, first.left);
}

// Without composition, a bar drop-down's first placement repaints what the last one covered and
// keeps its own rectangle, once, and the move is not drawn unless it also shows the window.
TEST_F(PopupsTest, ABarDropDownsFirstPlacementKeepsItsRectangleOnceAndIsNotDrawn) {
  ASSERT_FALSE(Dwm.DwmCompositionEnabled);
  BuildMenuBar(Window);
  for (UINT show : {0u, static_cast<UINT>(SWP_SHOWWINDOW)}) {
    SCOPED_TRACE(show);
    MenuTracking.TrackedMenuRecord = FindMenuRecord(0);
    ASSERT_FALSE(MenuTracking.TrackedMenuRecord->IsPopup);
    PopupWindows.SavedArea = RECT{0, 0, 40, 40};
    HWND popup = MakeWindow();
    WINDOWPOS first{popup, nullptr, 100, 120, 80, 60, SWP_NOZORDER | SWP_NOACTIVATE | show};
    PopupMenuWindowProc(popup, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ((first.flags & SWP_NOREDRAW) != 0, show == 0);
    EXPECT_EQ(Corners(PopupWindows.SavedArea), Corners({100, 120, 180, 180}));
    WINDOWPOS later{popup, nullptr, 110, 120, 70, 60, SWP_NOZORDER | SWP_NOACTIVATE};
    PopupMenuWindowProc(popup, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&later));
    EXPECT_EQ(later.flags & SWP_NOREDRAW, 0u);
    EXPECT_EQ(Corners(PopupWindows.SavedArea), Corners({100, 120, 180, 180})) << "kept once";
    PopupMenuWindowProc(popup, WM_DESTROY, 0, 0);
  }
  PopupWindows.SavedArea = RECT{};
  MenuTracking.TrackedMenuRecord = nullptr;
}

// A submenu's window closing gives the tracking back its parent's window as the newest popup.
TEST_F(PopupsTest, ASubmenuWindowClosingGivesBackItsParentAsTheNewestPopup) {
  HWND parent = MakeWindow(), submenu = MakeWindow();
  MenuTracking.LastPopupWindow = nullptr;
  PopupMenuWindowProc(parent, WM_NULL, 0, 0);
  PopupMenuWindowProc(submenu, WM_NULL, 0, 0);
  EXPECT_EQ(MenuTracking.LastPopupWindow, submenu);
  PopupMenuWindowProc(submenu, WM_DESTROY, 0, 0);
  EXPECT_EQ(MenuTracking.LastPopupWindow, parent);
  PopupMenuWindowProc(parent, WM_DESTROY, 0, 0);
  EXPECT_EQ(MenuTracking.LastPopupWindow, nullptr);
}

// While a held arrow scrolls the copy, the system may neither move, size, raise nor draw it; a
// change that shows it (Wine shows an edited copy again) or hides it (the menu closes) goes
// through whole. Without a scroll nothing is frozen.
TEST_F(PopupsTest, AScrollingCopyKeepsItsPlaceButIsStillShownAndHidden) {
  constexpr UINT kFrozen = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  ASSERT_EQ(kFrozen, 0x21Fu);
  HWND copy = MakeWindow();
  MenuTracking.CopyWindow = copy;
  for (auto [running, asked, given] : {std::tuple(true, 0u, kFrozen),
                                       std::tuple(true, UINT{SWP_NOZORDER | SWP_NOACTIVATE}, kFrozen),
                                       std::tuple(true, UINT{SWP_SHOWWINDOW | SWP_NOACTIVATE}, UINT{SWP_SHOWWINDOW | SWP_NOACTIVATE}),
                                       std::tuple(true, UINT{SWP_HIDEWINDOW | SWP_NOMOVE}, UINT{SWP_HIDEWINDOW | SWP_NOMOVE}),
                                       std::tuple(false, UINT{SWP_NOZORDER}, UINT{SWP_NOZORDER})}) {
    SCOPED_TRACE(testing::Message() << running << " " << asked);
    MenuScroll.Running = running;
    WINDOWPOS position{copy, nullptr, 100, 120, 80, 60, asked};
    PopupMenuWindowProc(copy, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    EXPECT_EQ(position.flags, given);
  }
  MenuScroll.Running = false;
  PopupMenuWindowProc(copy, WM_DESTROY, 0, 0);
  MenuTracking.CopyWindow = nullptr;
}

// What the popup frame asked the visual style for (Wine has none: a fake binding answers).
struct ThemeColourCall { HANDLE Theme; int Part, State, Property; };
std::vector<ThemeColourCall> ThemeColourCalls;
constexpr COLORREF kThemeBorder = RGB(10, 200, 30);
HRESULT WINAPI FakeGetThemeColor(HANDLE theme, int part, int state, int property, COLORREF* colour) {
  ThemeColourCalls.push_back({theme, part, state, property});
  *colour = kThemeBorder;
  return S_OK;
}

COLORREF BrushColour(HBRUSH brush) {
  LOGBRUSH logBrush{};
  GetObjectW(brush, sizeof(logBrush), &logBrush);
  return logBrush.lbColor;
}

// Styles below the Office ones: a one-pixel border and a three-pixel inner frame; below Whidbey
// the border takes the visual style's menu border colour, or the system's without a style.
TEST_F(PopupsTest, FramesBelowTheOfficeStylesAreAOnePixelBorderAndAThreePixelInnerFrame) {
  const UxThemeBinding savedTheme = UxTheme;
  const std::int32_t savedVersion = SystemFacts.OsVersionCode;
  SystemFacts.OsVersionCode = 100;
  UxTheme.GetThemeColor = reinterpret_cast<binding::GenericProc>(reinterpret_cast<void*>(&FakeGetThemeColor));
  UxTheme.ThemeMenuData = reinterpret_cast<HANDLE>(0x1234);
  MenuTracking.TrackedMenuRecord = nullptr;  // a cascade of style 0
  HWND popup = MakeWindow();
  MoveWindow(popup, 50, 50, 60, 40, FALSE);
  // The colours across the left edge, half way down: border, three inner pixels, what lies inside.
  const auto edge = [&](std::int32_t style, bool visualStyle) {
    UxTheme.NoVisualStyle = !visualStyle;
    ThemeColourCalls.clear();
    PopupMenuWindowProc(popup, WM_NULL, 0, 0);
    PopupWindows.CascadeStyle = style;
    DibCanvas canvas(60, 40, 0x00ABCDEF);
    PopupMenuWindowProc(popup, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_NONCLIENT);
    std::vector<COLORREF> colours;
    for (int x = 0; x < 4; ++x) colours.push_back(canvas.Colour(x, 20));
    return colours;
  };
  const COLORREF menu = GetSysColor(COLOR_MENU);
  EXPECT_EQ(edge(0, true), (std::vector<COLORREF>{kThemeBorder, menu, menu, menu}));
  ASSERT_EQ(ThemeColourCalls.size(), 1u);
  EXPECT_EQ(std::tuple(ThemeColourCalls[0].Theme, ThemeColourCalls[0].Part, ThemeColourCalls[0].State, ThemeColourCalls[0].Property),
            std::tuple(UxTheme.ThemeMenuData, 10, 0, 3801));
  EXPECT_EQ(edge(0, false), (std::vector<COLORREF>{GetSysColor(COLOR_BTNSHADOW), menu, menu, menu}));
  EXPECT_TRUE(ThemeColourCalls.empty());
  const COLORREF whidbeyBorder = BrushColour(reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(GetModeColour(5, 12))));
  const COLORREF whidbeyInner = BrushColour(reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(GetModeColour(5, 30))));
  EXPECT_EQ(edge(5, true), (std::vector<COLORREF>{whidbeyBorder, whidbeyInner, whidbeyInner, whidbeyInner}));
  PopupMenuWindowProc(popup, WM_DESTROY, 0, 0);
  UxTheme = savedTheme;
  SystemFacts.OsVersionCode = savedVersion;
}

TEST_F(PopupsTest, AMenuButtonDropsItsToolkitMenuDownBelowIt) {
  HMENU menu = CreateSkinnedPopupMenu(7, UISTYLE_OFFICE2003);
  AddMenuItem(41, u"Kick", nullptr, nullptr, nullptr, 0);
  HWND toolbar = reinterpret_cast<HWND>(CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003));
  const auto toolbarId = reinterpret_cast<std::intptr_t>(toolbar);
  AddToolbarTextButton(90, u"Players", 0);
  const std::int32_t id = AddToolbarMenuButton(-1, u"Actions", nullptr, nullptr, nullptr, 7, 0);
  ASSERT_NE(id, 0);
  EXPECT_EQ(GetToolbarButtonMenu(toolbarId, id, true), reinterpret_cast<std::intptr_t>(menu));
  EXPECT_EQ(GetToolbarButtonMenu(toolbarId, 90, false), 0);
  TBBUTTON button{};
  SendMessageW(toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button));
  EXPECT_NE(button.fsStyle & BTNS_DROPDOWN, 0);
  RECT item{};
  SendMessageW(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&item));
  MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&item), 2);
  bool trackedAndPressed = false;
  RECT popup{};
  LRESULT result = -1;
  WhileMenuOpen([&] { result = DropDown(toolbar, 1); },
                [&] {
                  HWND window = OpenPopupWindow();
                  if (window == nullptr) return false;
                  trackedAndPressed = MenuTracking.TrackedMenu == menu &&
                                      (SendMessageW(toolbar, TB_GETSTATE, id, 0) & TBSTATE_PRESSED) != 0;
                  popup = RectOf(window);
                  return true;
                });
  EXPECT_EQ(result, TBDDRET_DEFAULT);
  EXPECT_TRUE(trackedAndPressed);
  EXPECT_EQ(popup.left, item.left);
  EXPECT_EQ(popup.top, item.bottom);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, id, 0) & TBSTATE_PRESSED, 0);
}

}  // namespace
