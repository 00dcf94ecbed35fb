// Skinned toolbars as the host window paints them: image and text apart, separators and
// drop-down arrows of the Office look; the themed look through recorded theme calls, and the
// classic drawing where there is no visual style.
#include <utility>

#include "menus_fixture.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/toolbar_extras.h"

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr int kCanvasWidth = 420, kCanvasHeight = 64;  // larger than any toolbar here

COLORREF UiColour(int id) { return GetUIColour(UISTYLE_OFFICE2003, id, kUIColourColorref); }

// The button's rectangle as far as it lies in the toolbar's client area.
RECT ItemRect(HWND toolbar, int index) {
  RECT rect{};
  RECT client{};
  SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  GetClientRect(toolbar, &client);
  IntersectRect(&rect, &rect, &client);
  return rect;
}

// How many pixels of `colour` the area holds.
int Count(const DibCanvas& canvas, const RECT& area, COLORREF colour) {
  int found = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) found += canvas.Colour(x, y) == colour ? 1 : 0;
  return found;
}

// The smallest rectangle round every pixel of `colour` in the area; empty when there is none.
RECT Bounds(const DibCanvas& canvas, const RECT& area, COLORREF colour) {
  RECT bounds{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (canvas.Colour(x, y) == colour) bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                                                   std::max<LONG>(bounds.right, x + 1), std::max<LONG>(bounds.bottom, y + 1)};
  return bounds;
}

class ToolbarPaintTest : public MenusTest {
 protected:
  // A skinned toolbar of `flags` with a red 16 x 16 "Kick" button, a separator and a "Bans" button
  // that drops a menu down, in the one band of a rebar of `rebarFlags`.
  HWND Build(std::uint32_t flags, std::uint32_t rebarFlags) {
    ToolbarId = CreateSkinnedToolbar(-1, Window, 16, 16, flags);
    HWND toolbar = reinterpret_cast<HWND>(ToolbarId);
    const SolidBitmap red(kRed);
    ToolbarImageButton(ToolbarId, -1, u"Kick", red, nullptr, nullptr, 0);
    ToolbarSeparator(ToolbarId);
    const auto menu = reinterpret_cast<std::intptr_t>(CreateSkinnedPopupMenu(-1, UISTYLE_OFFICE2003));
    AddMenuItem(5, u"One", nullptr, nullptr, nullptr, 0);
    SetCurrentToolbar(ToolbarId);
    AddToolbarMenuButton(-1, u"Bans", nullptr, nullptr, nullptr, menu, 0);
    const auto rebar = reinterpret_cast<HWND>(CreateRebar(-1, Window, 0, rebarFlags | RBS_VARHEIGHT, 0));
    SetCurrentRebar(reinterpret_cast<std::intptr_t>(rebar));
    AddRebarBand(toolbar, u"", 400, 100, 0, nullptr, 0);
    SendMessageW(Window, WM_SIZE, 0, MAKELPARAM(780, 560));
    return toolbar;
  }
  // The toolbar painting itself into the canvas as it would on screen, host notices and all.
  static void Print(HWND toolbar, DibCanvas& canvas) {
    SendMessageW(toolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
  }
  // NM_CUSTOMDRAW of one button in `state` into `canvas`, as the toolbar would send it; the host's result.
  LRESULT DrawItem(HWND toolbar, int index, UINT state, DibCanvas& canvas) {
    TBBUTTON button{};
    SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    NMCUSTOMDRAW draw{{toolbar, static_cast<UINT_PTR>(GetDlgCtrlID(toolbar)), static_cast<UINT>(NM_CUSTOMDRAW)},
                      CDDS_ITEMPREPAINT, canvas.Dc(), ItemRect(toolbar, index),
                      static_cast<DWORD_PTR>(button.idCommand), state, 0};
    return SendMessageW(Window, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
  }

  std::intptr_t ToolbarId = 0;
};

// Painted by the toolbar itself: the background's first notice lets the buttons be drawn.
TEST_F(ToolbarPaintTest, AnOfficeButtonsTextStandsBesideOrBelowItsImageNeverOverIt) {
  for (const bool list : {true, false}) {
    SCOPED_TRACE(list ? "list" : "text below");
    HWND toolbar = Build(UISTYLE_OFFICE2003 | (list ? TBSTYLE_LIST : 0), UISTYLE_OFFICE2003);
    DibCanvas canvas(kCanvasWidth, kCanvasHeight);
    Print(toolbar, canvas);
    const RECT kick = ItemRect(toolbar, 0);
    const RECT image = Bounds(canvas, kick, kRed);
    ASSERT_EQ(image.right - image.left, 16);
    ASSERT_EQ(image.bottom - image.top, 16);
    EXPECT_EQ(Count(canvas, image, kRed), 16 * 16) << "nothing drawn over the image";
    const RECT text = Bounds(canvas, RECT{kick.left + 1, kick.top + 1, kick.right - 1, kick.bottom - 1}, UiColour(49));
    ASSERT_LT(text.left, text.right) << "the text is drawn";

    if (list) {
      EXPECT_GE(text.left, image.right);
    } else {
      EXPECT_GE(text.top, image.bottom);
    }
    FreeRebar(-1);
    FreeSkinnedToolbar(-1);
  }
}

TEST_F(ToolbarPaintTest, SeparatorsAndDropDownArrowsShowInTheStylesColours) {
  HWND toolbar = Build(UISTYLE_OFFICE2003 | TBSTYLE_LIST, UISTYLE_OFFICE2003);
  DibCanvas canvas(kCanvasWidth, kCanvasHeight);
  Print(toolbar, canvas);
  const RECT separator = ItemRect(toolbar, 1);
  const int x = separator.left + (separator.right - separator.left - 2) / 2;
  const int middle = (separator.top + separator.bottom) / 2;
  EXPECT_EQ(canvas.Colour(x, middle), UiColour(54));
  EXPECT_EQ(canvas.Colour(x + 1, middle), UiColour(55));
  EXPECT_EQ(Count(canvas, RECT{separator.left, middle, separator.right, middle + 1}, UiColour(54)), 1);

  // The arrow in the text colour, five pixels wide, in the part right of the split.
  const RECT bans = ItemRect(toolbar, 2);
  const RECT arrowPart{bans.right - 11, bans.top, bans.right, bans.bottom};
  const RECT arrow = Bounds(canvas, arrowPart, UiColour(49));
  EXPECT_EQ(arrow.right - arrow.left, 5);
  EXPECT_EQ(arrow.bottom - arrow.top, 3);
  EXPECT_EQ(Count(canvas, arrowPart, UiColour(49)), 5 + 3 + 1);
  EXPECT_LE(Bounds(canvas, RECT{bans.left, bans.top, arrowPart.left, bans.bottom}, UiColour(49)).right, arrowPart.left);

  // Hot: framed, with the split line between the button and its arrow.
  DibCanvas hot(kCanvasWidth, kCanvasHeight);
  EXPECT_EQ(DrawItem(toolbar, 2, CDIS_HOT, hot), CDRF_SKIPDEFAULT);
  for (int y = bans.top + 1; y < bans.bottom - 1; ++y) EXPECT_EQ(hot.Colour(arrowPart.left, y), UiColour(8)) << y;
  EXPECT_EQ(Count(hot, arrowPart, UiColour(50)), 5 + 3 + 1) << "the arrow in the hot text colour";
  DibCanvas plain(kCanvasWidth, kCanvasHeight);
  DrawItem(toolbar, 2, 0, plain);
  EXPECT_EQ(plain.Colour(arrowPart.left, bans.top + 5), RGB(255, 255, 255)) << "no split line while not hot";
}

// The theme calls a themed-look button makes, recorded by a stand-in for the visual-styles library.
struct ThemeCall { HANDLE Theme; int Part, State; RECT Rect; };
std::vector<ThemeCall> ThemeCalls;
HRESULT WINAPI RecordDrawThemeBackground(HANDLE theme, HDC, int part, int state, const RECT* rect, const RECT*) {
  ThemeCalls.push_back({theme, part, state, *rect});
  return S_OK;
}

// The process's own binding back after each test.
class ThemedToolbarTest : public ToolbarPaintTest {
 protected:
  void SetUp() override {
    ToolbarPaintTest::SetUp();
    Saved = UxTheme;
    ThemeCalls.clear();
  }
  void TearDown() override {
    UxTheme = Saved;
    ToolbarPaintTest::TearDown();
  }
  static void BindRecordingTheme() {
    UxTheme.Library = GetModuleHandleW(nullptr);
    UxTheme.DrawThemeBackground = reinterpret_cast<binding::GenericProc>(reinterpret_cast<void*>(RecordDrawThemeBackground));
    UxTheme.ThemeToolbarData = reinterpret_cast<HANDLE>(0x5151);
    HostWindows.ClassicLook = false;
  }
  UxThemeBinding Saved;
};

TEST_F(ThemedToolbarTest, AThemedToolbarsButtonsAreDrawnThroughTheToolbarThemeByState) {
  HWND toolbar = Build(TBSTYLE_LIST, 0);  // no Office style: the themed look
  BindRecordingTheme();
  const struct { UINT Item; int State; } cases[] = {{0x40, 2}, {0x41, 3}, {0x8, 5}, {0x48, 6}, {0x49, 3}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Item);
    ThemeCalls.clear();
    DibCanvas canvas(kCanvasWidth, kCanvasHeight);
    EXPECT_EQ(DrawItem(toolbar, 0, c.Item, canvas), CDRF_SKIPDEFAULT);
    const RECT kick = ItemRect(toolbar, 0);
    if (c.State == 0) {
      EXPECT_TRUE(ThemeCalls.empty());
    } else {
      ASSERT_EQ(ThemeCalls.size(), 1u);
      EXPECT_EQ(ThemeCalls[0].Theme, reinterpret_cast<HANDLE>(0x5151));
      EXPECT_EQ(ThemeCalls[0].Part, 1);
      EXPECT_EQ(ThemeCalls[0].State, c.State);
      EXPECT_TRUE(EqualRect(&ThemeCalls[0].Rect, &kick));
    }
    // Each list's picture (the hot one is derived from the red one), the text right of it.
    const RECT image{kick.left + 3, (kick.top + kick.bottom - 16) / 2, kick.left + 19, (kick.top + kick.bottom + 16) / 2};
    EXPECT_EQ(Count(canvas, image, RGB(255, 255, 255)), 0);
    EXPECT_EQ(Count(canvas, image, GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_EQ(Count(canvas, image, kRed), (c.Item & CDIS_HOT) != 0 ? 0 : 16 * 16);
    EXPECT_GT(Count(canvas, RECT{image.right, kick.top, kick.right, kick.bottom}, GetSysColor(COLOR_BTNTEXT)), 0);
  }
  // The classic look, a missing "toolbar" theme or an Office toolbar: never through the theme.
  DibCanvas canvas(kCanvasWidth, kCanvasHeight);
  HostWindows.ClassicLook = true;
  EXPECT_NE(DrawItem(toolbar, 0, 0x40, canvas), CDRF_SKIPDEFAULT);
  HostWindows.ClassicLook = false;
  UxTheme.ThemeToolbarData = nullptr;
  EXPECT_NE(DrawItem(toolbar, 0, 0x40, canvas), CDRF_SKIPDEFAULT);
  BindRecordingTheme();
  FindToolbarRecord(ToolbarId)->Style = UISTYLE_OFFICE2003;
  DrawItem(toolbar, 0, 0x40, canvas);
  EXPECT_TRUE(ThemeCalls.empty());
}

// Without a visual style the toolbar draws its own buttons, and no theme is asked.
TEST_F(ThemedToolbarTest, WithoutAVisualStyleTheToolbarDrawsItsButtonsTheClassicWay) {
  UxTheme.NoVisualStyle = true;  // the binder found no theme name
  ResetHostWindowState();
  UxTheme.DrawThemeBackground = reinterpret_cast<binding::GenericProc>(reinterpret_cast<void*>(RecordDrawThemeBackground));
  HWND toolbar = Build(TBSTYLE_LIST, 0);
  DibCanvas canvas(kCanvasWidth, kCanvasHeight);
  Print(toolbar, canvas);
  const RECT kick = ItemRect(toolbar, 0);
  EXPECT_EQ(Count(canvas, kick, kRed), 16 * 16);
  EXPECT_GT(Count(canvas, kick, GetSysColor(COLOR_BTNTEXT)), 0);
  EXPECT_TRUE(ThemeCalls.empty());
}

// The themed look's buttons follow the image size; a text below the image still fits.
TEST_F(ToolbarPaintTest, AThemedToolbarsButtonsGrowWithTheirImages) {
  const struct { int Image; const char16_t* Text; int Width, Height; } cases[] = {
      {16, u"", 24, 24}, {24, u"", 36, 36}, {32, u"", 48, 48}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Image);
    const auto toolbar = CreateSkinnedToolbar(-1, Window, c.Image, c.Image, 0);
    HBITMAP picture = Bitmap32(c.Image, c.Image, Solid(c.Image * c.Image, 0xFFC80000u));
    ToolbarImageButton(toolbar, -1, c.Text, picture, nullptr, nullptr, 0);
    DeleteObject(picture);
    const auto size = static_cast<DWORD>(SendMessageW(reinterpret_cast<HWND>(toolbar), TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(LOWORD(size), c.Width);
    EXPECT_EQ(HIWORD(size), c.Height);
    FreeSkinnedToolbar(toolbar);
  }
  const auto toolbar = CreateSkinnedToolbar(-1, Window, 16, 16, 0);
  const SolidBitmap red(kRed);
  ToolbarImageButton(toolbar, -1, u"Kick", red, nullptr, nullptr, 0);
  const auto size = static_cast<DWORD>(SendMessageW(reinterpret_cast<HWND>(toolbar), TB_GETBUTTONSIZE, 0, 0));
  EXPECT_GT(HIWORD(size), 24) << "room for the text below the image";
}

}  // namespace
