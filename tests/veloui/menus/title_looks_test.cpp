// Menu-bar titles of every style, hot, open and at rest, read back from a memory DC.
#include <functional>
#include <utility>
#include <vector>

#include "menus_fixture.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/style_fill.h"
#include "veloui/menus/toolbar_extras.h"

namespace {

constexpr int W = 60, H = 22;
constexpr std::uint32_t kCanvas = 0x00336699;  // 0xRRGGBB: no style paints this
const COLORREF kCanvasColour = ColourOf(kCanvas);

// The colour of a brush the Whidbey lookup hands out.
COLORREF WhidbeyColour(int id) {
  LOGBRUSH brush{};
  GetObjectW(reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(GetModeColour(UISTYLE_WHIDBEY, id))), sizeof(brush), &brush);
  return brush.lbColor;
}

struct ThemeCall { int Part, State; RECT Rect; };
std::vector<ThemeCall> ThemeCalls;
HRESULT WINAPI RecordThemeBackground(HANDLE, HDC, int part, int state, const RECT* rect, const RECT*) {
  ThemeCalls.push_back({part, state, *rect});
  return S_OK;
}

class TitleLooksTest : public MenusTest {
 protected:
  // A one-title bar of `style` in a rebar, as the host sees it.
  HWND BarOf(std::uint32_t style) {
    const auto bar = reinterpret_cast<HWND>(CreateMenuBar(40 + static_cast<int>(style & 0xFF), Window, style));
    AddMenuTitle(u"Server");
    AddMenuItem(1, u"Item", nullptr, nullptr, nullptr, 0);
    RebarCarrying(bar, 300);
    return bar;
  }
  // Draws title 0 hot (or open: clicked open, or switched to when not `clicked`) into a fresh
  // canvas, with the tracking state the host keeps meanwhile; the host's result.
  LRESULT DrawTitle(HWND bar, DibCanvas& canvas, bool hot, bool open, bool clicked = true) {
    MenuTracking.TitlePressed = open && clicked;
    MenuTracking.MenuBarToolbar = open ? bar : nullptr;
    MenuTracking.TrackedMenu = open ? CreatePopupMenu() : nullptr;
    MenuTracking.OpenTitle = open ? 0 : -1;
    MenuRecord* title = TitleRecord(bar, 0);
    if (title != nullptr) title->Open = open;
    const LRESULT result = DrawTitleNow(bar, 0, canvas, hot ? CDIS_HOT : 0u);
    if (title != nullptr) title->Open = false;
    if (MenuTracking.TrackedMenu != nullptr) DestroyMenu(MenuTracking.TrackedMenu);
    ResetMenuTrackingForTesting();
    return result;
  }
  // Title `index` drawn in item state `state` as the bar would ask for it now; the host's result.
  LRESULT DrawTitleNow(HWND bar, int index, DibCanvas& canvas, UINT state) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    NMCUSTOMDRAW draw{{bar, static_cast<UINT_PTR>(GetDlgCtrlID(bar)), static_cast<UINT>(NM_CUSTOMDRAW)},
                      CDDS_ITEMPREPAINT, canvas.Dc(), RECT{0, 0, W, H}, static_cast<DWORD_PTR>(button.idCommand),
                      state, 0};
    return SendMessageW(Window, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
  }
  // Title `index` opened as a switch from another title opens it: the bar's hot-item notice
  // with the next title the hooks leave when the mouse slides on, or Right is pressed.
  void SwitchTo(HWND bar, int index) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    MenuTracking.NextTitle = index;
    NMTBHOTITEM change{{bar, static_cast<UINT_PTR>(GetDlgCtrlID(bar)), static_cast<UINT>(TBN_HOTITEMCHANGE)}, 0,
                       button.idCommand, HICF_MOUSE};
    SendMessageW(Window, WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
  }
  static MenuRecord* TitleRecord(HWND bar, int index) {
    for (MenuRecord& menu : MenuList()) {
      if (menu.Toolbar == bar && menu.TitleIndex == index) return &menu;
    }
    return nullptr;
  }
  static std::vector<COLORREF> Pixels(const DibCanvas& canvas) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) pixels.push_back(canvas.Colour(x, y));
    return pixels;
  }
  static bool Shows(const DibCanvas& canvas, COLORREF colour) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        if (canvas.Colour(x, y) == colour) return true;
    return false;
  }
};

// Hot and open titles of every style, without a visual style: the styles before Whidbey show
// the classic raised or sunken edge round the bar's own face, Whidbey its table's hot and held
// colours (open at the bottom), the Office styles their frames; every caption is readable.
TEST_F(TitleLooksTest, HotAndOpenTitlesOfEveryStyleShowTheirStylesFaceAndCaption) {
  const UxThemeBinding saved = std::exchange(UxTheme, UxThemeBinding{});
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW), any = CLR_INVALID;
  const auto office = [](std::uint32_t style, int id) { return GetUIColour(style, id, kUIColourColorref); };
  const COLORREF whidbeyText = GetModeColour(UISTYLE_WHIDBEY, 0) & 0xFFFFFFu;
  struct Case { std::uint32_t Style; bool Open; COLORREF Corner, Face, BottomMiddle, Text; } cases[] = {
      {1, false, light, kCanvasColour, dark, GetSysColor(COLOR_MENUTEXT)},
      {4, true, dark, kCanvasColour, light, GetSysColor(COLOR_MENUTEXT)},
      {UISTYLE_WHIDBEY, false, WhidbeyColour(8), WhidbeyColour(5), WhidbeyColour(8), whidbeyText},
      {UISTYLE_WHIDBEY, true, WhidbeyColour(12), WhidbeyColour(9), WhidbeyColour(9), whidbeyText},
      {UISTYLE_OFFICE2003, false, office(UISTYLE_OFFICE2003, 8), any, any, office(UISTYLE_OFFICE2003, 0)},
      {UISTYLE_OFFICE2007, true, office(UISTYLE_OFFICE2007, 12), any, any, office(UISTYLE_OFFICE2007, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Style << (c.Open ? " open" : " hot"));
    HWND bar = BarOf(c.Style);
    DibCanvas canvas(W, H, kCanvas);
    EXPECT_EQ(DrawTitle(bar, canvas, !c.Open, c.Open), CDRF_SKIPDEFAULT);
    EXPECT_EQ(canvas.Colour(0, 0), c.Corner);
    if (c.Face != any) EXPECT_EQ(canvas.Colour(3, 3), c.Face);
    if (c.BottomMiddle != any) EXPECT_EQ(canvas.Colour(W / 2, H - 1), c.BottomMiddle);
    EXPECT_TRUE(Shows(canvas, c.Text));
    FreeSkinnedMenu(-1);
  }
  UxTheme = saved;
}

// A pressed title of a plain style casts the two title shadows as the Office styles do.
TEST_F(TitleLooksTest, APressedTitleOfAPlainStyleCastsItsShadows) {
  const auto& shadows = ToolkitList<TitleShadowRecord>(ToolkitListId::TitleShadows);
  for (std::uint32_t style : {2u, UISTYLE_WHIDBEY}) {
    HWND bar = BarOf(style);
    SystemFacts.SystemDropShadow = 1;
    DibCanvas canvas(W, H, kCanvas);
    DrawTitle(bar, canvas, false, true);
    SystemFacts.SystemDropShadow = 0;
    EXPECT_EQ(shadows.size(), 1u) << style;
    DestroyTitleShadows(nullptr);
    FreeSkinnedMenu(-1);
  }
}

// With a visual style (recorded: Wine has none) a Whidbey title is the theme's toolbar button,
// part 1, hot state 2 or pressed state 3; the classic-look flag or a missing handle fall back.
TEST_F(TitleLooksTest, WhidbeyTitlesWithAThemeAreTheThemesToolbarButton) {
  HWND bar = BarOf(UISTYLE_WHIDBEY);
  const UxThemeBinding saved = UxTheme;
  UxTheme.Library = GetModuleHandleW(nullptr);
  UxTheme.DrawThemeBackground = reinterpret_cast<FARPROC>(&RecordThemeBackground);
  UxTheme.ThemeToolbarData = reinterpret_cast<HANDLE>(0x5A5A);
  ThemeCalls.clear();
  DibCanvas canvas(W, H, kCanvas);
  DrawTitle(bar, canvas, true, false);
  DrawTitle(bar, canvas, false, true);
  ASSERT_EQ(ThemeCalls.size(), 2u);
  EXPECT_EQ(std::pair(ThemeCalls[0].Part, ThemeCalls[0].State), std::pair(1, 2));
  EXPECT_EQ(std::pair(ThemeCalls[1].Part, ThemeCalls[1].State), std::pair(1, 3));
  EXPECT_EQ(Corners(ThemeCalls[0].Rect), Corners({0, 0, W, H}));
  EXPECT_TRUE(Shows(canvas, GetModeColour(UISTYLE_WHIDBEY, 0) & 0xFFFFFFu)) << "the caption over it";
  HostWindows.ClassicLook = true;
  DrawTitle(bar, canvas, true, false);
  HostWindows.ClassicLook = false;
  UxTheme.ThemeToolbarData = nullptr;
  DrawTitle(bar, canvas, true, false);
  UxTheme = saved;
  EXPECT_EQ(ThemeCalls.size(), 2u);
}

// A title switched to while a menu is open (its menu hangs under it, the title-pressed flag
// stays clear) shows the held look of the title clicked open, hot or not, in every style.
TEST_F(TitleLooksTest, ATitleSwitchedToShowsTheHeldLookOfATitleClickedOpen) {
  const UxThemeBinding saved = std::exchange(UxTheme, UxThemeBinding{});
  for (std::uint32_t style : {2u, UISTYLE_WHIDBEY, UISTYLE_OFFICE2003, UISTYLE_OFFICE2007}) {
    SCOPED_TRACE(testing::Message() << std::hex << style);
    HWND bar = BarOf(style);
    DibCanvas clicked(W, H, kCanvas), switched(W, H, kCanvas), switchedHot(W, H, kCanvas), hot(W, H, kCanvas);
    DrawTitle(bar, clicked, false, true);
    DrawTitle(bar, switched, false, true, false);
    DrawTitle(bar, switchedHot, true, true, false);
    DrawTitle(bar, hot, true, false);
    EXPECT_EQ(Pixels(switched), Pixels(clicked));
    EXPECT_EQ(Pixels(switchedHot), Pixels(clicked));
    EXPECT_NE(Pixels(hot), Pixels(clicked)) << "a hot title without its menu keeps the hot look";
    FreeSkinnedMenu(-1);
  }
  UxTheme = saved;
}

// Through the host's own paths in the system's menu loop: title 1 opened by a click on the bar
// and title 1 opened by a switch from title 0 (the bar's hot-item notice) look the same while
// their menus are open, and neither title 0 nor title 2 looks open meanwhile.
TEST_F(TitleLooksTest, TheSwitchedToTitlesPixelsEqualTheClickedTitlesWhileItsMenuIsOpen) {
  HWND bar = BuildMenuBar(Window);
  RebarCarrying(bar, 400);
  // Title `index` as the bar draws it in `state` once a menu is open; `open` opens it.
  const auto look = [&](const std::function<void()>& open, int index, UINT state) {
    DibCanvas canvas(W, H, kCanvas);
    WhileMenuOpen(open, [&] {
      if (OpenPopupWindow() == nullptr) return false;
      DrawTitleNow(bar, index, canvas, state);
      return true;
    });
    return Pixels(canvas);
  };
  const auto click = [&] { DropDown(bar, 1); };
  const auto switchTo = [&] { SwitchTo(bar, 1); };
  const std::vector<COLORREF> clicked = look(click, 1, 0);
  EXPECT_EQ(look(switchTo, 1, CDIS_HOT), clicked);
  EXPECT_EQ(look(switchTo, 1, 0), clicked);
  DibCanvas rest(W, H, kCanvas), otherRest(W, H, kCanvas);
  DrawTitleNow(bar, 1, rest, 0);
  DrawTitleNow(bar, 2, otherRest, 0);
  EXPECT_NE(Pixels(rest), clicked) << "closed again, the title is at rest";
  EXPECT_EQ(look(switchTo, 2, 0), Pixels(otherRest)) << "another title stays at rest";
}

// A menu button of a skinned toolbar whose menu hangs under it shows the held gradient, as an
// open title does; hot without its menu it keeps the hot gradient.
TEST_F(TitleLooksTest, AMenuButtonWithItsMenuOpenShowsTheHeldGradient) {
  const auto id = CreateSkinnedToolbar(-1, Window, 0, 0, UISTYLE_OFFICE2003);
  HWND toolbar = reinterpret_cast<HWND>(id);
  const auto menu = reinterpret_cast<std::intptr_t>(CreateSkinnedPopupMenu(-1, UISTYLE_OFFICE2003));
  AddMenuItem(5, u"One", nullptr, nullptr, nullptr, 0);
  SetCurrentToolbar(id);
  const std::int32_t button = AddToolbarMenuButton(-1, u"Bans", nullptr, nullptr, nullptr, menu, 0);
  const auto rebar = reinterpret_cast<HWND>(CreateRebar(-1, Window, 0, UISTYLE_OFFICE2003 | RBS_VARHEIGHT, 0));
  SetCurrentRebar(reinterpret_cast<std::intptr_t>(rebar));
  AddRebarBand(toolbar, u"", 300, 100, 0, nullptr, 0);
  RECT item{};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  const auto draw = [&](DibCanvas& canvas) {
    NMCUSTOMDRAW notice{{toolbar, static_cast<UINT_PTR>(GetDlgCtrlID(toolbar)), static_cast<UINT>(NM_CUSTOMDRAW)},
                        CDDS_ITEMPREPAINT, canvas.Dc(), item, static_cast<DWORD_PTR>(button), CDIS_HOT, 0};
    SendMessageW(Window, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
  };
  // The gradient between two colours as the toolkit fills the button with it.
  const auto gradient = [&](int top, int bottom) {
    DibCanvas expected(W * 4, H * 2, kCanvas);
    VerticalGradient(expected.Dc(), item, GetUIColour(UISTYLE_OFFICE2003, top, kUIColourColorref),
                     GetUIColour(UISTYLE_OFFICE2003, bottom, kUIColourColorref));
    return expected.Colour(item.left + 3, (item.top + item.bottom) / 2);
  };
  const int x = item.left + 3, middle = (item.top + item.bottom) / 2;
  DibCanvas open(W * 4, H * 2, kCanvas);
  TBBUTTON pressed{};
  SendMessageW(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&pressed));
  NMTOOLBARW dropDown{{toolbar, static_cast<UINT_PTR>(GetDlgCtrlID(toolbar)), static_cast<UINT>(TBN_DROPDOWN)},
                      pressed.idCommand, {}, 0, nullptr, {}};
  WhileMenuOpen([&] { SendMessageW(Window, WM_NOTIFY, dropDown.hdr.idFrom, reinterpret_cast<LPARAM>(&dropDown)); },
                [&] {
                  if (OpenPopupWindow() == nullptr) return false;
                  draw(open);
                  return true;
                });
  EXPECT_EQ(open.Colour(x, middle), gradient(10, 11));
  DibCanvas hot(W * 4, H * 2, kCanvas);
  draw(hot);
  EXPECT_EQ(hot.Colour(x, middle), gradient(52, 53));
  EXPECT_NE(gradient(10, 11), gradient(52, 53));
}

// The shadows of a title switched to stay while the bar repaints its other titles, and go with
// its menu.
TEST_F(TitleLooksTest, ASwitchedToTitleKeepsItsShadowsWhileTheOtherTitlesRepaint) {
  const auto& shadows = ToolkitList<TitleShadowRecord>(ToolkitListId::TitleShadows);
  HWND bar = BuildMenuBar(Window);
  RebarCarrying(bar, 400);
  MenuRecord* title = TitleRecord(bar, 1);
  ASSERT_NE(title, nullptr);
  MenuTracking.MenuBarToolbar = bar;
  MenuTracking.OpenTitle = 1;
  title->Open = true;  // switched to: the title-pressed flag stays clear
  SystemFacts.SystemDropShadow = 1;
  DibCanvas canvas(W, H, kCanvas);
  DrawTitleNow(bar, 1, canvas, CDIS_HOT);
  EXPECT_EQ(shadows.size(), 1u);
  DrawTitleNow(bar, 0, canvas, 0);
  DrawTitleNow(bar, 2, canvas, 0);
  EXPECT_EQ(shadows.size(), 1u) << "the other titles' repaint keeps them";
  title->Open = false;
  DrawTitleNow(bar, 0, canvas, 0);
  SystemFacts.SystemDropShadow = 0;
  EXPECT_EQ(shadows.size(), 0u) << "once the menu has closed, they go";
  DestroyTitleShadows(nullptr);
}

// The drop-down of a title switched to joins its title as the clicked title's does: the top
// edge of its frame under the title takes the menu's background, not the frame's colour.
TEST_F(TitleLooksTest, TheDropDownOfATitleSwitchedToJoinsItsTitle) {
  HWND bar = BuildMenuBar(Window);
  RebarCarrying(bar, 400);
  // The top row of the open drop-down's frame, printed; where the title's middle stands over it.
  const auto topEdge = [&](const std::function<void()>& open, int& underTitle) {
    std::vector<COLORREF> row;
    WhileMenuOpen(open, [&] {
      HWND popup = OpenPopupWindow();
      if (popup == nullptr) return false;
      RECT frame{};
      GetWindowRect(popup, &frame);
      DibCanvas canvas(frame.right - frame.left, 4, kCanvas);
      SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_NONCLIENT | PRF_CLIENT);
      for (int x = 0; x < frame.right - frame.left; ++x) row.push_back(canvas.Colour(x, 0));
      underTitle = (MenuTracking.OpenTitleRect.left + MenuTracking.OpenTitleRect.right) / 2 - frame.left;
      return true;
    });
    return row;
  };
  int clickedMiddle = -1, switchedMiddle = -1;
  const std::vector<COLORREF> clicked = topEdge([&] { DropDown(bar, 1); }, clickedMiddle);
  const std::vector<COLORREF> switched = topEdge([&] { SwitchTo(bar, 1); }, switchedMiddle);
  ASSERT_GT(clickedMiddle, 0);
  ASSERT_LT(clickedMiddle, static_cast<int>(clicked.size()));
  EXPECT_EQ(clicked[static_cast<std::size_t>(clickedMiddle)], GetUIColour(UISTYLE_OFFICE2003, 30, kUIColourColorref));
  EXPECT_EQ(switchedMiddle, clickedMiddle);
  EXPECT_EQ(switched, clicked);
}

}  // namespace
