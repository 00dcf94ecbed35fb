// The host window procedure: owner-drawn items as measured and painted, window and bar messages.
#include <algorithm>

#include "menus_fixture.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/core/bar_drawing_rules.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/host_window_proc.h"

namespace {

constexpr int kItemWidth = 160;
constexpr int kItemHeight = 23;

COLORREF UiColour(int id) { return GetUIColour(UISTYLE_OFFICE2003, id, kUIColourColorref); }

class HostOwnerDrawTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    SetMenuImageSize(16, 16);
    Menu = CreateSkinnedPopupMenu(7, UISTYLE_OFFICE2003);
    ASSERT_NE(AddMenuItem(31, u"Kick", SolidBitmap(RGB(200, 30, 30)), nullptr, nullptr, 0), 0);
    AddMenuSeparator();
    ASSERT_NE(AddMenuItem(32, u"Ban", nullptr, nullptr, nullptr, 0), 0);
    InstallHostWindowProc(Window);  // the owner of a context menu carries the host procedure
  }
  ULONG_PTR ItemData(int position) const { return ItemInfo(Menu, position, true, MIIM_DATA).dwItemData; }
  void Draw(DibCanvas& canvas, int position, UINT state, ULONG_PTR data = 0) {
    DRAWITEMSTRUCT draw{ODT_MENU, 0, GetMenuItemID(Menu, position), 0, state, reinterpret_cast<HWND>(Menu), canvas.Dc(),
                        RECT{0, 0, kItemWidth, kItemHeight}, data != 0 ? data : ItemData(position)};
    SendMessageW(Window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  }

  HMENU Menu = nullptr;
};

TEST_F(HostOwnerDrawTest, OwnItemsAreMeasuredTwentyThreeHighAndForeignOnesAreLeftToTheWindow) {
  int foreign = 0;
  MEASUREITEMSTRUCT own{ODT_MENU, 0, 31, 0, 77, ItemData(0)};
  MEASUREITEMSTRUCT other{ODT_MENU, 0, 31, 0, 77, reinterpret_cast<ULONG_PTR>(&foreign)};
  for (MEASUREITEMSTRUCT* measure : {&own, &other}) SendMessageW(Window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(measure));
  EXPECT_EQ(own.itemHeight, 23u);
  EXPECT_GT(own.itemWidth, 32u);
  EXPECT_EQ(other.itemHeight, 77u);
  DibCanvas canvas(kItemWidth, kItemHeight);
  Draw(canvas, 0, 0, reinterpret_cast<ULONG_PTR>(&foreign));
  EXPECT_EQ(canvas.Colour(kItemWidth - 5, kItemHeight / 2), RGB(255, 255, 255));
}

// Items 0 "Kick" with an image, 1 a separator and 2 "Ban"; the text column starts at x = 24.
TEST_F(HostOwnerDrawTest, EachStateShowsItsColours) {
  ASSERT_EQ(GdiPlus.Library, nullptr) << "the image column's gradient is drawn without GDI+";
  constexpr int W = kItemWidth, H = kItemHeight;
  struct Pixel { int X, Y; COLORREF Colour; };
  struct Span { COLORREF Colour; int Left, Right; bool Shown; };  // shown somewhere in those columns, or nowhere
  struct Case { const char* Name; int Position; UINT State; std::vector<Pixel> Pixels; std::vector<Span> Spans; };
  const Case cases[] = {
      {"normal", 0, 0, {{W - 5, 2, UiColour(30)}}, {{UiColour(4), 24, W, true}, {RGB(200, 30, 30), 0, 24, true}}},
      {"image column", 2, 0, {{0, H / 2, UiColour(21)}}, {{RGB(0, 0, 0), 2, 3, false}}},
      {"hot", 0, ODS_SELECTED, {{1, H / 2, UiColour(28)}, {W / 2, 0, UiColour(28)}, {W - 4, H / 2, UiColour(26)}},
       {{UiColour(27), 24, W, true}}},
      {"disabled", 2, ODS_DISABLED | ODS_GRAYED, {{W - 5, 2, UiColour(30)}},
       {{UiColour(29), 24, W, true}, {UiColour(4), 24, W, false}}},
      {"separator", 1, 0, {{W / 2, H / 2, UiColour(25)}, {W / 2, 1, UiColour(30)}}, {}},
      {"checked", 2, ODS_CHECKED, {}, {{UiColour(15), 0, 24, true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    DibCanvas canvas(W, H);
    Draw(canvas, c.Position, c.State);
    for (const Pixel& p : c.Pixels) EXPECT_EQ(canvas.Colour(p.X, p.Y), p.Colour) << p.X << "," << p.Y;
    for (const Span& s : c.Spans) {
      bool found = false;
      for (int y = 0; y < H; ++y)
        for (int x = s.Left; x < s.Right; ++x) found = found || canvas.Colour(x, y) == s.Colour;
      EXPECT_EQ(found, s.Shown) << std::hex << s.Colour;
    }
  }
}

using HostWindowProcTest = MenusTest;

// Also: a window without a record still behaves as a window.
TEST_F(HostWindowProcTest, ADestroyedWindowsRecordIsDropped) {
  HWND other = MakeWindow();
  EXPECT_EQ(HostWindowProc(other, WM_GETTEXTLENGTH, 0, 0), 11);
  InstallHostWindowProc(other);
  const auto recorded = [other] {
    return std::ranges::any_of(ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows),
                               [other](const HostWindowRecord& host) { return host.Window == other; });
  };
  ASSERT_TRUE(recorded());
  DestroyWindow(other);
  EXPECT_FALSE(recorded()) << "a later window with the same handle would inherit its procedure";
}

// Also: the gripper of an Office band shows its dots in the gripper colours.
TEST_F(HostWindowProcTest, WmSizeLaysTheRebarOutAcrossTheWindowAndSizingCompositesTheBars) {
  HWND bar = BuildMenuBar(Window);
  HWND rebar = RebarCarrying(bar, 300);
  ASSERT_TRUE(bar && rebar);
  SetWindowPos(Window, nullptr, 0, 0, 617, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(Window, &client);
  EXPECT_EQ(SendMessageW(Window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom)), 0);
  EXPECT_EQ(WidthOf(rebar), client.right);
  EXPECT_EQ(HeightOf(rebar), static_cast<int>(SendMessageW(rebar, RB_GETBARHEIGHT, 0, 0)));
  EXPECT_EQ(GetWindowLongPtrW(rebar, GWL_EXSTYLE), WS_EX_COMPOSITED | WS_EX_TOOLWINDOW);
  ASSERT_EQ(GetParent(bar), rebar);
  RECT sizing{0, 0, 700, 500};
  SendMessageW(Window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sizing));
  EXPECT_TRUE(HostWindows.Sizing);
  EXPECT_NE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_COMPOSITED, 0);
  SendMessageW(Window, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_FALSE(HostWindows.Sizing);
  EXPECT_EQ(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_COMPOSITED, 0);

  DibCanvas canvas(20, 40);
  // Item 5 is not a band: the plain rule.
  NMCUSTOMDRAW draw{{rebar, static_cast<UINT_PTR>(GetDlgCtrlID(rebar)), static_cast<UINT>(NM_CUSTOMDRAW)},
                    CDDS_ITEMPREPAINT, canvas.Dc(), RECT{2, 0, 11, 40}, 5, 0, 0};
  EXPECT_EQ(SendMessageW(Window, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)), CDRF_SKIPDEFAULT);
  const int x = 2 + (9 - 2) / 2;
  const auto tops = GripperDotTops(40, false);
  ASSERT_EQ(tops.size(), 4u);
  for (int top : tops) {
    EXPECT_EQ(canvas.Colour(x, top), UiColour(42)) << top;
    EXPECT_EQ(canvas.Colour(x + 2, top + 2), UiColour(43)) << top;
  }
}

TEST_F(HostWindowProcTest, AnsiTooltipTextIsConvertedWithRoomForEveryByte) {
  InstallHostWindowProc(Window);
  ToolbarTooltipList().push_back({44, u"Gr\u00f6\u00dfe \u00e4ndern", {}});
  NMTTDISPINFOA info{{MakeWindow(), 44, static_cast<UINT>(TTN_GETDISPINFOA)}, nullptr, {}, nullptr, 0, 0};
  SendMessageW(Window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(std::string(info.lpszText), TextToAnsi(u"Gr\u00f6\u00dfe \u00e4ndern"));
}

TEST_F(HostWindowProcTest, AThemeChangeWithoutAThemeHandleSwitchesTheClassicLookOn) {
  InstallHostWindowProc(Window);
  const UxThemeBinding saved = std::exchange(UxTheme, UxThemeBinding{});
  UxTheme.Library = GetModuleHandleW(nullptr);  // bound, but no theme can be opened
  HostWindows.ClassicLook = false;
  SendMessageW(Window, WM_THEMECHANGED, 0, 0);
  const bool classic = HostWindows.ClassicLook;
  UxTheme = saved;
  EXPECT_TRUE(classic);
}

}  // namespace
