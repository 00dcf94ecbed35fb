#include "veloui/foundation/blit_cache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/ui_colours.h"

namespace {

std::vector<Text>& Lines() {
  static std::vector<Text> lines;
  return lines;
}

void Collect(const Text& line) { Lines().push_back(line); }

std::uint32_t Office2007Menus() { return 0x2000000; }
std::uint32_t WhidbeyMenus() { return 5; }

class BlitCacheTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    FreeBlitCaches();
    ResetUIColourState();
    InitColourTables();
    BindColourServices();
    StoreUIColourMode(GetParam());
    Lines().clear();
    SetDebugLogSinkForTesting(&Collect);
  }
  void TearDown() override {
    SetDebugLogSinkForTesting(nullptr);
    SetBlitCacheMenuStyleSource(nullptr);
    FreeBlitCaches();
  }

  static COLORREF Expected(int id) { return GetUIColour(6, id, kUIColourColorref); }
  static bool HaveGdiPlus() { return BindGdiPlus() != 0; }
};

TEST_P(BlitCacheTest, MenuHotGradientRunsFromTopToBottom) {
  if (!HaveGdiPlus()) GTEST_SKIP() << "no GDI+";
  DibCanvas canvas(60, 30, 0x00FF00FF);
  DrawBlitCache(canvas.Dc(), 0x1000000, 6, RECT{5, 3, 55, 27}, 0);
  EXPECT_TRUE(NearColour(canvas.Colour(5, 3), Expected(6), 2));
  EXPECT_TRUE(NearColour(canvas.Colour(54, 26), Expected(7), 2));
  EXPECT_EQ(canvas.Pixel(4, 3), 0x00FF00FFu);   // nothing outside the rectangle
  EXPECT_EQ(canvas.Pixel(55, 26), 0x00FF00FFu);
  EXPECT_EQ(canvas.Pixel(5, 27), 0x00FF00FFu);
  EXPECT_EQ(canvas.Colour(5, 10), canvas.Colour(50, 10));  // vertical only
}

TEST_P(BlitCacheTest, CheckBoxTakesTheCurrentMenusStyle) {
  SetBlitCacheMenuStyleSource(&Office2007Menus);
  DibCanvas canvas(16, 16, 0);
  DrawBlitCache(canvas.Dc(), 0x1000000, 17, RECT{0, 0, 16, 16}, 0);
  EXPECT_EQ(canvas.Colour(0, 0), GetUIColour(0x2000000, 17, kUIColourColorref));
  EXPECT_EQ(canvas.Colour(8, 8), GetUIColour(0x2000000, 16, kUIColourColorref));
}

TEST_P(BlitCacheTest, CheckBoxOfAMenuWithoutOfficeColoursUsesTheRequestedStyle) {
  SetBlitCacheMenuStyleSource(&WhidbeyMenus);
  DibCanvas canvas(16, 16, 0x00FFFFFF);
  DrawBlitCache(canvas.Dc(), 0x2000000, 15, RECT{0, 0, 16, 16}, 0);
  EXPECT_EQ(canvas.Colour(0, 0), GetUIColour(0x2000000, 15, kUIColourColorref));
  EXPECT_EQ(canvas.Colour(8, 8), GetUIColour(0x2000000, 14, kUIColourColorref));
  EXPECT_NE(canvas.Colour(8, 8), RGB(0, 0, 0));
}

TEST_P(BlitCacheTest, EmptyRectanglePaintsNothingAndKeepsTheCache) {
  DibCanvas canvas(50, 30, 0x00123456);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{0, 0, 20, 20}, 0x1100);
  canvas.Fill(0x00123456);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{0, 0, 0, 20}, 0x1100);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{10, 10, 5, 30}, 0x1100);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{0, 5, 20, 5}, 0x1100);
  EXPECT_EQ(Lines().size(), 1u);
  EXPECT_EQ(UIColours.Office2003[15].Cache.CacheWidth, 20);
  EXPECT_EQ(UIColours.Office2003[15].Cache.CacheHeight, 20);
  EXPECT_EQ(canvas.Pixel(0, 0), 0x00123456u);
}

TEST_P(BlitCacheTest, WithoutGdiPlusOnlyTheFramedFillsPaint) {
  ReleaseGdiPlus();
  SetBindingLibraryNamesForTesting({L"dwmapi.dll", L"UxTheme.dll", L"no-such-gdiplus.dll"});
  DibCanvas canvas(40, 20, 0x00FFFFFF);
  DrawBlitCache(canvas.Dc(), 6, 6, RECT{0, 0, 20, 20}, 0);
  DrawBlitCache(canvas.Dc(), 6, 15, RECT{20, 0, 40, 20}, 0);
  SetBindingLibraryNamesForTesting({});
  EXPECT_EQ(Lines().size(), 2u);  // both caches were made
  EXPECT_EQ(canvas.Pixel(5, 5), 0u);  // the gradient's bitmap stays unpainted
  EXPECT_EQ(canvas.Colour(20, 0), Expected(15));
  EXPECT_EQ(canvas.Colour(30, 10), Expected(14));
}

TEST_P(BlitCacheTest, NoGdiObjectIsLeft) {
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

INSTANTIATE_TEST_SUITE_P(BlueAndGrey, BlitCacheTest, ::testing::Values(1, 4));

}  // namespace
