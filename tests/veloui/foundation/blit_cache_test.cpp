#include "veloui/foundation/blit_cache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/gradients.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/ui_colours.h"

namespace {
std::vector<Text> Lines;

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
    SetBlitCacheMenuStyleSource(nullptr);
    SetBindingLibraryNamesForTesting({});
    FreeBlitCaches();
  }
  static COLORREF Expected(std::uint32_t style, int id) { return GetUIColour(style, id, kUIColourColorref); }
};

TEST_F(BlitCacheTest, MenuHotGradientRunsFromTopToBottomInsideItsRectangle) {
  if (BindGdiPlus() == 0) GTEST_SKIP() << "no GDI+";
  DibCanvas canvas(60, 30, 0x00FF00FF);
  DrawBlitCache(canvas.Dc(), 0x1000000, 6, RECT{5, 3, 55, 27}, 0);
  const auto alike = [](COLORREF a, COLORREF b) {  // GDI+ may miss the end colours by a step or two
    for (int shift : {0, 8, 16}) if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2) return false;
    return true;
  };
  EXPECT_TRUE(alike(canvas.Colour(5, 3), Expected(6, 6)));
  EXPECT_TRUE(alike(canvas.Colour(54, 26), Expected(6, 7)));
  for (const POINT outside : {POINT{4, 3}, POINT{55, 26}, POINT{5, 27}}) EXPECT_EQ(canvas.Pixel(outside.x, outside.y), 0x00FF00FFu);
  EXPECT_EQ(canvas.Colour(5, 10), canvas.Colour(50, 10));
}

// A check box's frame takes the current menu's style when it has Office colours, else the asked one.
TEST_F(BlitCacheTest, CheckBoxFrameFollowsTheMenuStyleElseTheAskedOne) {
  struct Case { std::uint32_t (*Menus)(); std::uint32_t Style; int Id; } cases[] = {
      {[]() -> std::uint32_t { return 0x2000000; }, 0x1000000, 17}, {[]() -> std::uint32_t { return 5; }, 0x2000000, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    SetBlitCacheMenuStyleSource(c.Menus);
    DibCanvas canvas(16, 16, 0);
    DrawBlitCache(canvas.Dc(), c.Style, c.Id, RECT{0, 0, 16, 16}, 0);
    EXPECT_EQ(canvas.Colour(0, 0), Expected(0x2000000, c.Id));
    EXPECT_EQ(canvas.Colour(8, 8), Expected(0x2000000, c.Id - 1));
  }
}

TEST_F(BlitCacheTest, EmptyRectanglePaintsNothingAndKeepsTheCache) {
  DibCanvas canvas(50, 30, 0x00123456);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{0, 0, 20, 20}, 0x1100);
  canvas.Fill(0x00123456);
  for (const RECT empty : {RECT{0, 0, 0, 20}, RECT{10, 10, 5, 30}, RECT{0, 5, 20, 5}}) DrawBlitCache(canvas.Dc(), 6, 15, empty, 0x1100);
  EXPECT_EQ(Lines.size(), 1u);
  EXPECT_EQ(UIColours.Office2003[15].Cache.CacheWidth, 20);
  EXPECT_EQ(UIColours.Office2003[15].Cache.CacheHeight, 20);
  EXPECT_EQ(canvas.Pixel(0, 0), 0x00123456u);
}

TEST_F(BlitCacheTest, WithoutGdiPlusOnlyTheFramedFillsPaintAndNoGradientIsMade) {
  const std::size_t gradients = GradientList().size();
  ReleaseGdiPlus();
  SetBindingLibraryNamesForTesting({L"dwmapi.dll", L"UxTheme.dll", L"no-such-gdiplus.dll"});
  DibCanvas canvas(40, 20, 0x00FFFFFF);
  DrawBlitCache(canvas.Dc(), 6, 6, RECT{0, 0, 20, 20}, 0);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{20, 0, 40, 20}, 0);
  EXPECT_EQ(Lines.size(), 2u);  // both caches were made
  EXPECT_EQ(canvas.Pixel(5, 5), 0u);  // the gradient's bitmap stays unpainted
  EXPECT_EQ(canvas.Colour(20, 0), Expected(6, 15));
  EXPECT_EQ(canvas.Colour(30, 10), Expected(6, 14));
  EXPECT_EQ(CreateGradient(1, 0, 0), 0u);
  EXPECT_EQ(GradientList().size(), gradients);
}

TEST_F(BlitCacheTest, NoGdiObjectIsLeft) {
  DibCanvas canvas(200, 40);
  BindGdiPlus();
  DrawBlitCache(canvas.Dc(), 6, 6, RECT{0, 0, 10, 10}, 0);  // brushes and GDI+ warmed up
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{0, 0, 10, 10}, 0);
  FreeBlitCaches();
  const DWORD before = GdiObjectCount();
  for (int i = 1; i <= 20; ++i) {
    for (int id : {6, 13, 15, 33}) DrawBlitCache(canvas.Dc(), 6, id, RECT{0, 0, 10 + i, 10 + i}, 0x1100);
    DrawBlitCache(canvas.Dc(), 0x2000000, 52, RECT{0, 0, 10, 10 + i}, 0x11000);
  }
  FreeBlitCaches();
  EXPECT_EQ(GdiObjectCount(), before);
}
}  // namespace
