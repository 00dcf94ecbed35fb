// Menu-bar titles of every style, hot, open and at rest, read back from a memory DC.
#include <utility>
#include <vector>

#include "menus_fixture.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_shadows.h"

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
  // Draws title 0 hot (or open) into a fresh canvas; the host's result.
  LRESULT DrawTitle(HWND bar, DibCanvas& canvas, bool hot, bool open) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button));
    MenuTracking.TitlePressed = open;
    MenuTracking.MenuBarToolbar = open ? bar : nullptr;
    MenuTracking.TrackedMenu = open ? CreatePopupMenu() : nullptr;
    MenuTracking.OpenTitle = open ? 0 : -1;
    NMCUSTOMDRAW draw{{bar, static_cast<UINT_PTR>(GetDlgCtrlID(bar)), static_cast<UINT>(NM_CUSTOMDRAW)},
                      CDDS_ITEMPREPAINT, canvas.Dc(), RECT{0, 0, W, H}, static_cast<DWORD_PTR>(button.idCommand),
                      hot ? static_cast<UINT>(CDIS_HOT) : 0u, 0};
    const LRESULT result = SendMessageW(Window, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
    if (MenuTracking.TrackedMenu != nullptr) DestroyMenu(MenuTracking.TrackedMenu);
    ResetMenuTrackingForTesting();
    return result;
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

}  // namespace
