// Steps of the host window procedure and what the menus lend the layers around them: items not
// drawn during a title switch, a drop-down closed while a title is hot, the fit check's margin,
// a scrolled menu's rows, the theme change's rebar backgrounds, the gripper of the menu
// bar's band, the popup owner's style, the check-box colours and the backgrounds without GDI+.
#include <algorithm>
#include <tuple>
#include <utility>

#include "menus_fixture.h"
#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/core/bar_drawing_rules.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/menu_measuring.h"
#include "veloui/menus/popup_menus.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/menus/style_fill.h"
#include "veloui/menus/track_windows_hook.h"
#include "veloui/toolkit/ui_colour_mode.h"

namespace {

constexpr int kItemWidth = 160, kItemHeight = 23;
constexpr std::uint32_t kWhite = 0x00FFFFFF;

COLORREF Office2003(int id) { return GetUIColour(UISTYLE_OFFICE2003, id, kUIColourColorref); }

class HostStepsTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    ResetMenuTrackingHook();
  }
  void TearDown() override {
    ResetMenuTrackingHook();
    MenusTest::TearDown();
  }
  // A context menu of two items whose owner is the test window.
  HMENU ContextMenu() {
    HMENU menu = CreateSkinnedPopupMenu(7, UISTYLE_OFFICE2003);
    AddMenuItem(31, u"Kick", nullptr, nullptr, nullptr, 0);
    AddMenuItem(32, u"Ban", nullptr, nullptr, nullptr, 0);
    return menu;
  }
  LRESULT DrawItem(HMENU menu, DibCanvas& canvas, int position, int top = 0) {
    const MENUITEMINFOW info = ItemInfo(menu, position, true, MIIM_DATA);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, GetMenuItemID(menu, position), ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(menu),
                        canvas.Dc(), RECT{0, top, kItemWidth, top + kItemHeight}, info.dwItemData};
    return SendMessageW(Window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  }
};

// While a title switch waits for its new title's popup, no item is drawn and the host answers 0.
TEST_F(HostStepsTest, NoItemIsDrawnWhileATitleSwitchWaitsForItsPopup) {
  HMENU menu = ContextMenu();
  InstallHostWindowProc(Window);
  MenuTrackingHook.TitleSwitchPending = true;
  MenuTrackingHook.SwitchHotIndex = 1;
  MenuTrackingHook.LastIndexShown = -1;
  DibCanvas waiting(kItemWidth, kItemHeight, kWhite);
  EXPECT_EQ(DrawItem(menu, waiting, 0), 0);
  EXPECT_EQ(waiting.Colour(kItemWidth - 5, 2), RGB(255, 255, 255));
  MenuTrackingHook.LastIndexShown = 1;  // the new title is shown: its items are drawn again
  DibCanvas shown(kItemWidth, kItemHeight, kWhite);
  DrawItem(menu, shown, 0);
  EXPECT_EQ(shown.Colour(kItemWidth - 5, 2), Office2003(30));
}

// A menu marked scrolling (its title shows a scrollable copy instead) is painted as any other:
// its first item clips nothing away, so no arrow row of a copy could lose its top or bottom.
TEST_F(HostStepsTest, TheFirstItemOfAScrolledMenuClipsNoRowsAway) {
  HMENU menu = ContextMenu();
  InstallHostWindowProc(Window);
  const int row = GetSystemMetrics(SM_CYMENUCHECK);
  ASSERT_LT(row, kItemHeight - 2);
  for (bool scrolled : {false, true}) {
    SCOPED_TRACE(scrolled ? "scrolled" : "not scrolled");
    FindMenuRecord(7)->Scrolling = scrolled;
    DibCanvas canvas(kItemWidth, 3 * kItemHeight, kWhite);
    DrawItem(menu, canvas, 0);
    DrawItem(menu, canvas, 1, 2 * kItemHeight);
    const COLORREF background = Office2003(30);
    EXPECT_EQ(canvas.Colour(kItemWidth - 5, row - 1), background);
    EXPECT_EQ(canvas.Colour(kItemWidth - 5, row), background);
    EXPECT_EQ(canvas.Colour(kItemWidth - 5, 3 * kItemHeight - row), background);
    EXPECT_EQ(canvas.Colour(kItemWidth - 5, 3 * kItemHeight - row - 1), background);
  }
  FindMenuRecord(7)->Scrolling = false;
}

// A drop-down asked for while a title is hot closes the bar's state and ends a pending switch.
TEST_F(HostStepsTest, ADropDownWhileATitleIsHotClosesTheStateAndEndsThePendingSwitch) {
  HWND bar = BuildMenuBar(Window);
  MenuTracking.HotTitle = 2;
  MenuTrackingHook.TitleSwitchPending = true;
  MenuTrackingHook.SwitchHotIndex = 2;
  EXPECT_EQ(DropDown(bar, 0), 0);
  EXPECT_EQ(MenuTracking.HotTitle, -1);
  EXPECT_FALSE(MenuTrackingHook.TitleSwitchPending);
  EXPECT_FALSE(TitleSwitchUnderWay());
}

// A drop-down that ends 2 pixels above the work area's bottom fits in a style without a margin
// and becomes a scrollable copy in Office 2003, which keeps 4 pixels for its frame and shadow.
TEST_F(HostStepsTest, TheFitCheckKeepsTheStylesMarginBelowTheDropDown) {
  for (std::uint32_t style : {4u, UISTYLE_OFFICE2003}) {
    SCOPED_TRACE(style);
    HWND window = MakeWindow();
    const auto bar = reinterpret_cast<HWND>(CreateMenuBar(50 + static_cast<int>(style & 0xFF), window, style));
    AddMenuTitle(u"Server");
    for (int id = 1; id <= 5; ++id) AddMenuItem(id, u"Item", nullptr, nullptr, nullptr, 0);
    const int height = MeasurePopupMenuHeight(FindMenuRecord(reinterpret_cast<std::intptr_t>(bar))->Handle);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    RECT title{};
    SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&title));
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&title), 2);
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromRect(&title, MONITOR_DEFAULTTONEAREST), &monitor);
    // The menu opens at the title's bottom - 1 and is measured against the work area's bottom.
    const int wantedBottom = monitor.rcWork.bottom - height - 2 + 1;
    const RECT frame = RectOf(window);
    SetWindowPos(window, nullptr, frame.left, frame.top + wantedBottom - title.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    bool copied = false;
    WhileMenuOpen([&] { DropDown(bar, 0); },
                  [&] {
                    copied = MenuTracking.CopyMenu != nullptr;
                    return OpenPopupWindow() != nullptr;
                  });
    EXPECT_EQ(copied, style == UISTYLE_OFFICE2003);
    EXPECT_EQ(MenuTracking.CopyMenu, nullptr);
    FreeSkinnedMenu(-1);
  }
}

// In colour mode 0 the scheme follows the theme's caption colour: a theme change that turns it
// from blue to none (grey) must reach the band, though the image's size did not change.
TEST_F(HostStepsTest, AThemeChangeRendersTheRebarBackgroundAgainInTheNewScheme) {
  HWND rebar = RebarCarrying(BuildMenuBar(Window), 300);
  ASSERT_NE(rebar, nullptr);
  const auto savedColours = std::pair(UIColours.ThemeScrollbarData, UIColours.ThemeCaptionColour);
  SetUIColourMode(UICOLOURMODE_DEFAULT);
  UIColours.ThemeScrollbarData = 1;
  UIColours.ThemeCaptionColour = RGB(0, 84, 227);  // blue
  RenderRebarBackgrounds(1);
  const COLORREF blue = GetUIColour(UISTYLE_OFFICE2003, 31, kUIColourColorref);
  const UxThemeBinding saved = std::exchange(UxTheme, UxThemeBinding{});
  UxTheme.Library = GetModuleHandleW(nullptr);  // bound, but no theme can be opened: no scheme colour
  SendMessageW(Window, WM_THEMECHANGED, 0, 0);
  UxTheme = saved;
  const COLORREF grey = GetUIColour(UISTYLE_OFFICE2003, 31, kUIColourColorref);
  const HBITMAP band = BandInfo(rebar, 0, RBBIM_BACKGROUND).hbmBack;
  COLORREF shown = CLR_INVALID;
  if (band != nullptr) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, band);
    shown = GetPixel(dc, 0, 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
  }
  std::tie(UIColours.ThemeScrollbarData, UIColours.ThemeCaptionColour) = savedColours;
  ASSERT_NE(blue, grey);
  EXPECT_EQ(band, RebarBackgroundImage(UISTYLE_OFFICE2003));
  EXPECT_TRUE(NearColour(shown, grey, 2)) << std::hex << shown;
}

// The band the rebar draws is named by its id: the menu bar's band shows two dots a pixel lower
// wherever it stands.
TEST_F(HostStepsTest, TheMenuBarsGripperIsFoundByItsBandsIdNotItsIndex) {
  HWND bar = BuildMenuBar(Window);
  HWND rebar = RebarCarrying(bar, 300);
  const auto other = CreateSkinnedToolbar(-1, Window, 16, 16, UISTYLE_OFFICE2003);
  SetCurrentRebar(reinterpret_cast<std::intptr_t>(rebar));
  AddRebarBand(GetToolbarWindow(other), u"", 200, 50, 0, nullptr, 0);
  SendMessageW(rebar, RB_MOVEBAND, 0, 1);  // the menu bar's band now stands second
  const UINT menuBand = BandInfo(rebar, 1, RBBIM_ID | RBBIM_CHILD).wID;
  ASSERT_EQ(BandInfo(rebar, 1, RBBIM_CHILD).hwndChild, bar);
  ASSERT_NE(menuBand, 1u) << "an id equal to the index would prove nothing";
  constexpr int kHeight = 22;
  DibCanvas canvas(20, kHeight, kWhite);
  NMCUSTOMDRAW draw{{rebar, static_cast<UINT_PTR>(GetDlgCtrlID(rebar)), static_cast<UINT>(NM_CUSTOMDRAW)},
                    CDDS_ITEMPREPAINT, canvas.Dc(), RECT{2, 0, 11, kHeight}, menuBand, 0, 0};
  EXPECT_EQ(SendMessageW(Window, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)), CDRF_SKIPDEFAULT);
  const auto menuTops = GripperDotTops(kHeight, true), plainTops = GripperDotTops(kHeight, false);
  ASSERT_NE(menuTops, plainTops);
  const int x = 2 + (9 - 2) / 2;
  for (int top : menuTops) EXPECT_EQ(canvas.Colour(x, top), Office2003(42)) << top;
  for (int top : plainTops)
    if (std::find(menuTops.begin(), menuTops.end(), top) == menuTops.end())
      EXPECT_NE(canvas.Colour(x, top), Office2003(42)) << top;
}

// The owner of a context menu gets WS_CLIPCHILDREN as every other host does.
TEST_F(HostStepsTest, ShowingAContextMenuClipsItsOwnersChildren) {
  HWND owner = MakeWindow();
  ASSERT_EQ(GetWindowLongPtrW(owner, GWL_STYLE) & WS_CLIPCHILDREN, 0);
  HMENU menu = ContextMenu();
  WhileMenuOpen([&] { ShowPopupMenu(reinterpret_cast<std::intptr_t>(menu), owner, 100, 100); }, [] { return true; });
  EXPECT_NE(GetWindowLongPtrW(owner, GWL_STYLE) & WS_CLIPCHILDREN, 0);
}

// The check-box backgrounds take the colours of the current menu's style, whatever style asks.
TEST_F(HostStepsTest, CheckBoxBackgroundsFollowTheCurrentMenusStyle) {
  for (std::uint32_t current : {UISTYLE_OFFICE2007, UISTYLE_OFFICE2003}) {
    const std::uint32_t asking = current == UISTYLE_OFFICE2007 ? UISTYLE_OFFICE2003 : UISTYLE_OFFICE2007;
    SCOPED_TRACE(testing::Message() << std::hex << current);
    CreateSkinnedPopupMenu(-1, current);
    ASSERT_NE(GetUIColour(current, 15, kUIColourColorref), GetUIColour(asking, 15, kUIColourColorref));
    FreeBlitCaches();
    DibCanvas canvas(20, 20, kWhite);
    DrawBlitCache(canvas.Dc(), asking, 15, RECT{0, 0, 20, 20}, 0);
    EXPECT_EQ(canvas.Colour(0, 0), GetUIColour(current, 15, kUIColourColorref));
    EXPECT_EQ(canvas.Colour(10, 10), GetUIColour(current, 14, kUIColourColorref));
  }
  FreeBlitCaches();
}

// GDI+ that loads but cannot be started (here a library without its start-up) paints nothing:
// the backgrounds are drawn with plain GDI then, as when it is missing.
TEST_F(HostStepsTest, BackgroundsFallBackToPlainGdiWhenGdiPlusCannotStart) {
  ASSERT_EQ(GdiPlus.Library, nullptr);
  BindingLibraryNames names;
  names.GdiPlus = L"comctl32.dll";
  SetBindingLibraryNamesForTesting(names);
  const ULONG_PTR token = BindGdiPlus();
  const bool loaded = GdiPlus.Library != nullptr;
  FreeBlitCaches();
  DibCanvas canvas(20, 20, kWhite);
  PaintStyleBackground(canvas.Dc(), UISTYLE_OFFICE2003, 6, RECT{0, 0, 20, 20}, 0);
  ReleaseGdiPlus();
  SetBindingLibraryNamesForTesting(BindingLibraryNames{});
  FreeBlitCaches();
  EXPECT_EQ(token, 0u);
  EXPECT_TRUE(loaded);
  EXPECT_TRUE(NearColour(canvas.Colour(5, 0), Office2003(6), 2)) << std::hex << canvas.Colour(5, 0);
  EXPECT_TRUE(NearColour(canvas.Colour(5, 19), Office2003(7), 8)) << std::hex << canvas.Colour(5, 19);
}

}  // namespace
