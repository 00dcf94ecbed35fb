// What the foundation draws into real DCs and images and does to real windows (rules: natively).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/image_effect_pixels.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/fonts.h"
#include "veloui/foundation/gradients.h"
#include "veloui/foundation/image_effects.h"
#include "veloui/foundation/image_store_states.h"
#include "veloui/foundation/skin_image_pixels.h"
#include "veloui/foundation/skin_images.h"
#include "veloui/foundation/style_images.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"

namespace {
std::vector<Text> Lines;
std::int32_t (*const kReleases[])() = {ReleaseGdiPlus, ReleaseDwm, ReleaseUxTheme};

class BlitCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeBlitCaches();
    ResetUIColourState();
    InitColourTables();
    BindColourServices();
    StoreUIColourMode(4);
    Lines.clear();
    SetDebugLogSinkForTesting([](const Text& line) { Lines.push_back(line); });
  }
  void TearDown() override {
    SetDebugLogSinkForTesting(nullptr);
    InstallMenuStyleSource(nullptr);
    SetBindingLibraryNamesForTesting({});
    FreeBlitCaches();
  }
  static COLORREF Expected(std::uint32_t style, int id) { return GetUIColour(style, id, kUIColourColorref); }
};

TEST_F(BlitCacheTest, MenuHotGradientRunsFromTopToBottomInsideItsRectangle) {
  if (BindGdiPlus() == 0) GTEST_SKIP() << "no GDI+";
  DibCanvas canvas(60, 30, 0x00FF00FF);
  DrawBlitCache(canvas.Dc(), 0x1000000, 6, RECT{5, 3, 55, 27}, 0);
  EXPECT_TRUE(NearColour(canvas.Colour(5, 3), Expected(6, 6), 2) && NearColour(canvas.Colour(54, 26), Expected(6, 7), 2));
  for (const POINT outside : {POINT{4, 3}, POINT{55, 26}, POINT{5, 27}}) EXPECT_EQ(canvas.Pixel(outside.x, outside.y), 0x00FF00FFu);
  EXPECT_EQ(canvas.Colour(5, 10), canvas.Colour(50, 10));
}

// A check box's frame takes the current menu's style when it has Office colours, else the asked one.
TEST_F(BlitCacheTest, CheckBoxFrameFollowsTheMenuStyleElseTheAskedOne) {
  struct Case { std::uint32_t (*Menus)(); std::uint32_t Style; int Id; } cases[] = {
      {[]() -> std::uint32_t { return 0x2000000; }, 0x1000000, 17}, {[]() -> std::uint32_t { return 5; }, 0x2000000, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    InstallMenuStyleSource(c.Menus);
    DibCanvas canvas(16, 16, 0);
    DrawBlitCache(canvas.Dc(), c.Style, c.Id, RECT{0, 0, 16, 16}, 0);
    EXPECT_EQ(std::tuple(canvas.Colour(0, 0), canvas.Colour(8, 8)), std::tuple(Expected(0x2000000, c.Id), Expected(0x2000000, c.Id - 1)));
  }
}

TEST_F(BlitCacheTest, EmptyRectanglePaintsNothingAndKeepsTheCache) {
  DrawBlitCache(DibCanvas(20, 20).Dc(), 6, 15, RECT{0, 0, 20, 20}, 0x1100);
  DibCanvas canvas(50, 30, 0x00123456);
  for (const RECT empty : {RECT{0, 0, 0, 20}, RECT{10, 10, 5, 30}, RECT{0, 5, 20, 5}}) DrawBlitCache(canvas.Dc(), 6, 15, empty, 0x1100);
  EXPECT_EQ(Lines.size(), 1u);
  EXPECT_TRUE(UIColours.Office2003[15].Cache.CacheWidth == 20 && UIColours.Office2003[15].Cache.CacheHeight == 20);
  EXPECT_EQ(canvas.Pixel(0, 0), 0x00123456u);
}

// GDI+ starts once and its entries go with it. Without the libraries no entry is stale: the caches
// paint only their framed fills, no gradient is made.
TEST_F(BlitCacheTest, GdiPlusStartsOnceAndWithoutTheLibrariesEntriesStayEmptyAndOnlyTheFramedFillsPaint) {
  ReleaseGdiPlus();
  const ULONG_PTR token = BindGdiPlus();
  ASSERT_TRUE(token != 0 && BindGdiPlus() == token);
  EXPECT_TRUE(GdiPlusFunction("GdipCreateFromHDC") != nullptr && GdiPlusFunction("GdipNoSuchFunction") == nullptr);
  EXPECT_TRUE(ReleaseGdiPlus() == 0 && GdiPlusFunction("GdipCreateFromHDC") == nullptr);
  const std::size_t gradients = GradientList().size();
  for (auto release : kReleases) release();
  SetBindingLibraryNamesForTesting({L"no_such_dwm.dll", L"no_such_theme.dll", L"no_such_gdiplus.dll"});
  EXPECT_TRUE(BindDwm() == 0 && Dwm.DwmFlush == nullptr);
  EXPECT_TRUE(BindUxTheme() == nullptr && UxTheme.OpenThemeData == nullptr);
  EXPECT_EQ(GdiPlusFunction("GdipCreateFromHDC"), nullptr);
  DibCanvas canvas(40, 20, 0x00FFFFFF);
  DrawBlitCache(canvas.Dc(), 6, 6, RECT{0, 0, 20, 20}, 0);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{20, 0, 40, 20}, 0);
  EXPECT_EQ(Lines.size(), 2u);  // both caches were made
  EXPECT_EQ(canvas.Pixel(5, 5), 0u);  // the gradient's bitmap stays unpainted
  EXPECT_EQ(std::tuple(canvas.Colour(20, 0), canvas.Colour(30, 10)), std::tuple(Expected(6, 15), Expected(6, 14)));
  EXPECT_TRUE(CreateGradient(1, 0, 0) == 0 && GradientList().size() == gradients);
  for (auto release : kReleases) EXPECT_EQ(release(), 0);  // releasing what was never bound does nothing
}

namespace {
std::vector<binding::HTHEME_> g_closedThemes;
int g_openedThemes = 0;
// The new theme has nothing for the scrollbar class; every other class opens.
binding::HTHEME_ WINAPI OpenThemeOfNewTheme(HWND, LPCWSTR themeClass) {
  if (std::wstring_view(themeClass) == L"scrollbar") return nullptr;
  return reinterpret_cast<binding::HTHEME_>(static_cast<std::uintptr_t>(0x100 + ++g_openedThemes));
}
HRESULT WINAPI CloseTheme(binding::HTHEME_ theme) {
  g_closedThemes.push_back(theme);
  return S_OK;
}
}  // namespace

// A theme change closes every handle of the old theme, also when the new one gives no scrollbar handle.
TEST(ThemeChange, EveryHandleOfTheOldThemeIsClosedAndOpenedAgain) {
  const UxThemeBinding saved = std::exchange(UxTheme, UxThemeBinding{});
  const std::uintptr_t savedScrollbar = UIColours.ThemeScrollbarData;
  UxTheme.Library = GetModuleHandleW(nullptr);
  UxTheme.OpenThemeData = OpenThemeOfNewTheme;
  UxTheme.CloseThemeData = CloseTheme;
  binding::HTHEME_* const handles[] = {&UxTheme.ThemeScrollbarData, &UxTheme.ThemeExplorerBarData, &UxTheme.ThemeRebarData,
                                       &UxTheme.ThemeTabData,       &UxTheme.ThemeToolbarData,     &UxTheme.ThemeMenuData,
                                       &UxTheme.ThemeButtonData};
  std::vector<binding::HTHEME_> old;
  for (binding::HTHEME_* handle : handles) old.push_back(*handle = reinterpret_cast<binding::HTHEME_>(0x10 + old.size()));
  g_closedThemes.clear();
  g_openedThemes = 0;
  ReopenThemeHandles();
  std::vector<binding::HTHEME_> now;
  for (binding::HTHEME_* handle : handles) now.push_back(*handle);
  UxTheme = saved;
  UIColours.ThemeScrollbarData = savedScrollbar;
  EXPECT_EQ(g_closedThemes, old);
  EXPECT_EQ(now[0], nullptr);
  for (std::size_t i = 1; i < now.size(); ++i) EXPECT_EQ(now[i], reinterpret_cast<binding::HTHEME_>(0x100 + i)) << i;
}

TEST_F(BlitCacheTest, NoGdiObjectIsLeft) {
  DibCanvas canvas(200, 40);
  BindGdiPlus();
  for (int id : {6, 15}) DrawBlitCache(canvas.Dc(), 6, id, RECT{0, 0, 10, 10}, 0);  // brushes and GDI+ warmed up
  FreeBlitCaches();
  const DWORD before = GdiObjectCount();
  for (int i = 1; i <= 20; ++i) {
    for (int id : {6, 13, 15, 33}) DrawBlitCache(canvas.Dc(), 6, id, RECT{0, 0, 10 + i, 10 + i}, 0x1100);
    DrawBlitCache(canvas.Dc(), 0x2000000, 52, RECT{0, 0, 10, 10 + i}, 0x11000);
  }
  FreeBlitCaches();
  EXPECT_EQ(GdiObjectCount(), before);
}

class CodedTextTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ResetCodedTextForTesting();
    DeleteObject(font_);
  }
  HFONT font_ = CreateFontByPointSize(u"Tahoma", 10, 0);
};

TEST_F(CodedTextTest, AFontByPointSizeDrawsRedThenBlackFromTheStartingColour) {
  LOGFONTW log{};
  GetObjectW(font_, sizeof(log), &log);
  EXPECT_EQ(std::tuple(GetFontPointSize(font_), GetFontFaceName(font_), log.lfHeight, log.lfWeight),
            std::tuple(10, Text(u"Tahoma"), -MulDiv(10, GetScreenDPI(0), 72), 400));
  DibCanvas canvas(200, 30);
  RECT rect{2, 2, 198, 28};
  SetTextColor(canvas.Dc(), RGB(0, 0, 0));
  DrawCodedText(canvas.Dc(), u"\\cFF0000red\\nblack", rect, font_, kCodedTopLeft);
  int lastRed = -1, firstBlack = -1;  // columns
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 30; ++y) {
      const std::uint32_t p = canvas.Pixel(x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (r > 160 && g < 90 && b < 90) lastRed = x;
      if (r < 90 && g < 90 && b < 90 && firstBlack < 0) firstBlack = x;
    }
  EXPECT_TRUE(lastRed >= 0 && lastRed < firstBlack) << lastRed << " " << firstBlack;
  EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(0, 0, 0));
}

int RepairCalls = 0;

// Drawing (not measuring) asks once for the alpha repair, whose own drawing is not repaired again.
TEST_F(CodedTextTest, DrawingRepairsAlphaOnceRestoresTheFontAndLeavesNoGdiObject) {
  DibCanvas canvas(300, 40);
  const auto draw = [&canvas](const char16_t* text, HFONT font, std::uint32_t options) {
    RECT r{0, 0, 300, 40};
    DrawCodedText(canvas.Dc(), text, r, font, options);
  };
  draw(u"\\bwarm up", font_, 0);
  InstallTextAlphaRepair([](HDC dc, const Text& text, const RECT& area, HFONT font, std::uint32_t options) {
    ++RepairCalls;
    RECT again = area;
    DrawCodedText(dc, text, again, font, options);
  });
  RepairCalls = 0;
  const HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_FONT);
  const DWORD objects = GdiObjectCount();
  for (int i = 0; i < 25; ++i) {
    for (const char16_t* text : {u"a\\bb\\ic\\ud\\se\\nf\\b", u"plain"}) {
      draw(text, font_, 0);
      EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), before);
    }
    draw(u"\\Bx\\|y\\cFF00FFz", nullptr, kCodedMeasureOnly);
  }
  EXPECT_EQ(std::tuple(GdiObjectCount(), RepairCalls, CodedText.InsideTextAlphaRepair), std::tuple(objects, 50, false));
  SelectObject(canvas.Dc(), font_);
  draw(u"a\\bb", nullptr, 0);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), font_);
  SelectObject(canvas.Dc(), before);
}

TEST(ImageEffects, SourcesAreReadUprightWithTheirMaskAndAnyDepthAs32BitAndNoneWithoutPixels) {
  std::vector<std::uint32_t> pixels = Solid(8 * 4, PackPixel(255, 10, 20, 30));
  pixels[0] = PackPixel(255, 250, 0, 0);  // top-left marker
  HBITMAP bitmap = Bitmap32(8, 4, pixels);
  HANDLE made = MakeIconEffect(bitmap, 255, 0, 0, 0, 0, 0);
  EXPECT_EQ(PixelsOf(made), pixels);
  EXPECT_NE(GetObjectType(bitmap), 0u);  // not released without option 4
  for (HGDIOBJ object : {made, static_cast<HGDIOBJ>(bitmap)}) DeleteObject(object);

  HICON icon = Icon(16, 16, Solid(256, PackPixel(0, 90, 90, 90)), 8);  // no alpha: the mask decides
  made = MakeIconEffect(icon, 255, 0, 0, 0, 0, 0);
  const auto out = PixelsOf(made);
  ASSERT_EQ(out.size(), 256u);
  EXPECT_EQ(std::tuple(PixelAlpha(out[3]), PixelAlpha(out[15 * 16 + 12])), std::tuple(0, 255));
  DeleteObject(made);
  DestroyIcon(icon);

  void* bits = nullptr;
  HBITMAP deep = DibSection(4, 3, &bits, 24);
  constexpr BYTE kBlueGreenRed[] = {120, 80, 40};  // rows of 4 pixels need no padding
  for (int i = 0; i < 4 * 3 * 3; ++i) static_cast<BYTE*>(bits)[i] = kBlueGreenRed[i % 3];
  made = MakeIconEffect(deep, 300, 0, 0, 0, 0, kEffectGreyscale);
  const int grey = EffectGrey(40, 80, 120);
  EXPECT_EQ(PixelsOf(made), Solid(12, PackPixel(255, grey, grey, grey)));
  for (HGDIOBJ object : {made, static_cast<HGDIOBJ>(deep)}) DeleteObject(object);
  // Nothing from an image without pixels.
  EXPECT_EQ(MakeIconEffect(nullptr, 255, 0, 0, 0, 0, kEffectMakeIcon), nullptr);
  EXPECT_EQ(TintIcon(nullptr, 255, 0, 0, 0, 0, 0, 0), nullptr);
  HBITMAP gone = CreateBitmap(4, 4, 1, 32, nullptr);
  DeleteObject(gone);
  EXPECT_EQ(MakeIconEffect(gone, 255, 0, 0, 0, 0, kEffectFreeSource | kEffectMakeIcon), nullptr);
  for (std::uint32_t style : {0u, 5u, 6u, 0x1000000u, 0x2000000u})
    EXPECT_TRUE(MakeStyleImage(nullptr, style) == nullptr && MakeStyleImage(gone, style) == nullptr) << style;
}

TEST(ImageEffects, WhidbeyFadesTo80OtherStylesGiveAFadedGreyCopyAndNoGdiObjectIsLeft) {
  HICON source = Icon(16, 16, Solid(256, PackPixel(255, 200, 30, 30)));
  HICON whidbey = MakeStyleImage(source, 5), other = MakeStyleImage(source, 0);
  for (std::uint32_t p : PixelsOf(whidbey)) ASSERT_EQ(PixelAlpha(p), 80);
  for (std::uint32_t p : PixelsOf(other))
    ASSERT_TRUE(PixelAlpha(p) == 120 && PixelRed(p) == PixelGreen(p) && PixelGreen(p) == PixelBlue(p)) << std::hex << p;
  for (HICON made : {whidbey, other}) DestroyIcon(made);
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 10; ++i) {
    DestroyIcon(MakeStyleImage(source, 5));
    DestroyIcon(MakeStyleImage(source, 0));
    DeleteObject(TintIcon(source, 255, RGB(1, 2, 3), 0, 0.5f, 0, 0, 0));
  }
  EXPECT_EQ(GdiObjectCount(), before);
  EXPECT_TRUE(DestroyIcon(source));  // the source stays the caller's
}

TEST(StyleImages, PolygonGlyphPointsDown) {
  DibCanvas canvas(20, 20);
  DrawPolygonGlyph(canvas.Dc(), 2, 4, 9, 5, RGB(255, 0, 0));
  struct Spot { int X, Y; bool Red; } spots[] = {{6, 8, true}, {2, 4, true}, {10, 4, true}, {2, 8, false},
                                                  {10, 8, false}, {6, 9, false}, {6, 3, false}};
  for (const Spot& s : spots)
    EXPECT_EQ(canvas.Colour(s.X, s.Y), s.Red ? RGB(255, 0, 0) : RGB(255, 255, 255)) << s.X << "," << s.Y;
}

// A 5 x 3 image; 'k' pixels carry the key colour (magenta), the rest are opaque.
TEST(SkinImages, RegionFromImageCoversEveryPixelButTheKeyColour) {
  const char* rows[] = {"kk.kk", ".....", "k.k.k"};
  std::vector<std::uint32_t> pixels;
  for (const char* row : rows)
    for (int x = 0; x < 5; ++x) pixels.push_back(row[x] == 'k' ? 0xFFFF00FFu : 0xFF204060u);
  HBITMAP image = Bitmap32(5, 3, pixels);
  HRGN region = RegionFromImage(image, RGB(255, 0, 255));
  ASSERT_NE(region, nullptr);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PtInRegion(region, x, y) != 0, rows[y][x] != 'k') << x << "," << y;
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_TRUE(box.right == 5 && box.bottom == 3);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(region), static_cast<HGDIOBJ>(image)}) DeleteObject(object);
}

// Points and colours as the image stands, though its rows are stored bottom-up; only 32-bit DIB
// sections are taken.
TEST(SkinImages, ColoursAndRewritesOfADibSectionStandUprightAndOtherImagesAreRefused) {
  void* bits = nullptr;
  HBITMAP image = DibSection(3, -2, &bits);  // the helper's height negated: rows stored bottom-up
  auto* stored = static_cast<std::uint32_t*>(bits);  // the bottom row first
  std::ranges::copy(std::array{0xFF00FF00u, 0xFF00FF00u, 0x800000FFu, 0xFFFF0000u, 0xFFFF0000u, 0xFF00FF00u}, stored);
  EXPECT_EQ(FindImageColours(image, 8), (std::vector<std::uint32_t>{0xFF0000FF, 0xFF00FF00, 0x80FF0000}));
  const PixelEdit edits[] = {{PixelEditKind::Fill, 0, 0, 0xFFFF0000}, {PixelEditKind::Write, 2, 1, 0xFF123456},
                             {PixelEditKind::Write, 3, 0, 0}};
  EXPECT_EQ(RewriteImagePixels(image, edits), 2);
  GdiFlush();
  EXPECT_EQ(std::vector<std::uint32_t>(stored, stored + 6),
            (std::vector<std::uint32_t>{0xFF00FF00, 0xFF00FF00, 0xFF563412, 0xFF0000FF, 0xFF0000FF, 0xFF00FF00}));
  HBITMAP deep = DibSection(3, 2, &bits, 24), device = CreateBitmap(3, 2, 1, 32, nullptr);
  for (HBITMAP other : {deep, device, static_cast<HBITMAP>(nullptr)})
    EXPECT_TRUE(FindImageColours(other, 8).empty() && RewriteImagePixels(other, edits) == 0);
  for (HBITMAP made : {image, deep, device}) DeleteObject(made);
}

// The middle and a corner of each state drawn: rebuilding one state of an entry keeps its others,
// whether it shared its images (it goes on with copies, the others keep theirs) or not.
TEST(SkinImages, RebuildingOneStateKeepsTheOtherStatesOfSharedAndOwnEntries) {
  const DWORD before = GdiObjectCount();
  HBITMAP red = Bitmap32(8, 8, Solid(64, 0xFFFF0000)), blue = Bitmap32(8, 8, Solid(64, 0xFF0000FF)),
          green = Bitmap32(8, 8, Solid(64, 0xFF00FF00));
  const ImageStoreHandle owner = AddImageStoreEntry();
  for (auto [state, image] : {std::pair{u"normal", red}, {u"hot", blue}})
    ASSERT_EQ(BuildStateImageLists(owner, state, image, 2, 2, kEdgesStretched), 1);
  const ImageStoreHandle sharer = AddSharedImageStoreEntry(owner);
  ASSERT_EQ(BuildStateImageLists(sharer, u"hot", green, 2, 2, kEdgesStretched), 1);
  ASSERT_EQ(BuildStateImageLists(owner, u"normal", green, 2, 2, kEdgesTiled), 1);  // the owner alone now
  const struct { ImageStoreHandle Entry; const char16_t* State; COLORREF Colour; } draws[] = {
      {owner, u"normal", RGB(0, 255, 0)}, {owner, u"hot", RGB(0, 0, 255)},
      {sharer, u"normal", RGB(255, 0, 0)}, {sharer, u"hot", RGB(0, 255, 0)}};
  for (const auto& d : draws) {
    DibCanvas canvas(20, 20);
    EXPECT_EQ(DrawStateImage(d.Entry, d.State, canvas.Dc(), RECT{0, 0, 20, 20}), 1) << (&d - draws);
    EXPECT_TRUE(canvas.Colour(10, 10) == d.Colour && canvas.Colour(0, 0) == d.Colour) << (&d - draws);
  }
  for (ImageStoreHandle entry : {owner, sharer}) FreeImageStoreEntry(entry);
  for (HBITMAP image : {red, blue, green}) DeleteObject(image);
  EXPECT_EQ(GdiObjectCount(), before);
}

// The loaded picture's image list is shared per resource, size, kind and load flags, outlives the
// first icon freed and goes with the last (a bitmap of user32, as a library build of the toolkit
// would name its own module; "transparent" turns its grey background into the window colour).
TEST(SkinImages, ResourceIconsShareTheirPicturePerLoadFlagsUntilTheLastIsFreed) {
  Toolkit.Module = GetModuleHandleW(L"user32.dll");
  const DWORD before = GdiObjectCount();
  HICON first = LoadResourceIcon(u"#32754", 0, kResourceBitmap, 0);
  const DWORD one = GdiObjectCount();
  HICON second = LoadResourceIcon(u"32754", 0, kResourceBitmap, 0),
        transparent = LoadResourceIcon(u"#32754", 0, kResourceBitmap, LR_LOADTRANSPARENT);
  ASSERT_TRUE(first != nullptr && second != nullptr && transparent != nullptr);
  EXPECT_EQ(PixelsOf(second), PixelsOf(first));
  EXPECT_NE(PixelsOf(transparent), PixelsOf(first));
  for (HICON icon : {transparent, first}) EXPECT_EQ(FreeImageHandle(icon), 1);
  EXPECT_EQ(GdiObjectCount(), one);
  EXPECT_EQ(FreeImageHandle(second), 1);
  EXPECT_EQ(GdiObjectCount(), before);
  Toolkit.Module = nullptr;
}

// The region of an entry's images is what DrawStateImage paints, also in rectangles smaller than
// two corners (4 x 4 corners of a 12 x 12 image with transparent pixels in them), for both edge
// modes: every pixel of a magenta canvas is painted exactly where it lies in the region.
TEST(SkinImages, ImageStoreRegionIsWhatTheStateImagePaints) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool corner = (x < 4 || x >= 8) && (y < 4 || y >= 8);
      const bool clear = corner && (x * 3 + y * 5) % 4 == 0;
      pixels.push_back(clear ? 0u : 0xFF000000u | static_cast<std::uint32_t>(0x102030 + x * 0x10 + y * 0x1000));
    }
  }
  HBITMAP image = Bitmap32(12, 12, pixels);
  for (std::int32_t edges : {kEdgesTiled, kEdgesStretched}) {
    const ImageStoreHandle entry = AddImageStoreEntry();
    ASSERT_EQ(BuildStateImageLists(entry, u"normal", image, 4, 4, edges), 1);
    for (const RECT area : {RECT{3, 4, 9, 10}, RECT{3, 4, 10, 9}, RECT{3, 4, 6, 7}, RECT{3, 4, 11, 7}, RECT{3, 4, 13, 14}}) {
      DibCanvas canvas(16, 16, 0x00FF00FF);
      ASSERT_EQ(DrawStateImage(entry, u"normal", canvas.Dc(), area), 1);
      HRGN region = GetImageStoreRegion(entry, u"normal", area);
      ASSERT_NE(region, nullptr);
      int wrong = 0;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) wrong += (canvas.Pixel(x, y) != 0xFF00FFu) != (PtInRegion(region, x, y) != 0) ? 1 : 0;
      EXPECT_EQ(wrong, 0) << edges << ": " << area.right - area.left << " x " << area.bottom - area.top;
      DeleteObject(region);
    }
    FreeImageStoreEntry(entry);
  }
  DeleteObject(image);
}

// A resource number has 16 bits: 70000 and 98290 (= 65536 + 32754) name no resource, where cut to
// 16 bits the second would load the bitmap 32754.
TEST(SkinImages, ResourceNumbersAbove65535LoadNothing) {
  Toolkit.Module = GetModuleHandleW(L"user32.dll");
  HICON known = LoadResourceIcon(u"#32754", 0, kResourceBitmap, 0);
  ASSERT_NE(known, nullptr);
  EXPECT_EQ(FreeImageHandle(known), 1);
  for (const char16_t* name : {u"#70000", u"70000", u"#98290", u"98290", u"#0000000098290", u"#65536"})
    EXPECT_EQ(LoadResourceIcon(name, 0, kResourceBitmap, 0), nullptr) << TextToUtf8(name);
  Toolkit.Module = nullptr;
}

// 400 with the ClearType bit is a normal ClearType font.
TEST(Fonts, NormalWeightWithAQualityBit) {
  HFONT font = CreateFontByPointSize(u"Tahoma", 10, 400 | 0x40000);
  LOGFONTW log{};
  ASSERT_GT(GetObjectW(font, sizeof(log), &log), 0);
  EXPECT_EQ(std::tuple(log.lfWeight, log.lfItalic, log.lfQuality), std::tuple(LONG{400}, BYTE{0}, BYTE{CLEARTYPE_QUALITY}));
  FreeFontHandle(font);
}

}  // namespace
