#include "hooks_fixture.h"
#include "veloui/menus/drop_shadow.h"

namespace {
int CountShadowWindows() {
  int count = 0;
  for (HWND at = FindWindowExW(nullptr, nullptr, kDropShadowClass, nullptr); at != nullptr && count < 10000;
       at = FindWindowExW(nullptr, at, kDropShadowClass, nullptr))
    ++count;
  return count;
}

std::uint32_t BitmapPixel(const DropShadowRecord& record, int width, int x, int y) {
  return static_cast<const std::uint32_t*>(record.Bits)[y * width + x];
}

TEST_F(HooksTest, AShadowIsALayeredClickThroughWindowWhereItWasAsked) {
  HWND shadow = CreateDropShadow(100, 120, 5, 60, RGB(0, 0, 0), 80, kShadowVertical | kShadowFadeStartOnly);
  ASSERT_NE(shadow, nullptr);
  EXPECT_EQ(ClassOf(shadow), u"VeloUI_DropShadow");
  EXPECT_EQ(GetWindowLongPtrW(shadow, GWL_EXSTYLE) & 0x080800A8, 0x080800A8);
  EXPECT_EQ(GetWindowLongW(shadow, GWL_STYLE) & WS_CHILD, 0);
  RECT area{};
  GetWindowRect(shadow, &area);
  const RECT expected{100, 120, 105, 180};
  EXPECT_TRUE(EqualRect(&area, &expected));
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_EQ(reinterpret_cast<const DropShadowRecord*>(GetWindowLongPtrW(shadow, GWLP_USERDATA)),
            FindDropShadowRecord(shadow));
  DestroyWindow(shadow);
  EXPECT_EQ(FindDropShadowRecord(shadow), nullptr);
}

TEST_F(HooksTest, TheShadowBitmapHoldsTheStripOfThePiece) {
  FreeDropShadowPieces();
  // Black, alpha 80, depth 5, fading in at its top only.
  HWND shadow = CreateDropShadow(10, 10, 5, 60, RGB(0, 0, 0), 80, kShadowVertical | kShadowFadeStartOnly);
  ASSERT_NE(shadow, nullptr);
  const DropShadowRecord* record = FindDropShadowRecord(shadow);
  ASSERT_NE(record, nullptr);
  GdiFlush();
  // Row 0: 80 * 1 / 5 = 16; column 0: 16 * 4 / 5 = 12.
  EXPECT_EQ(BitmapPixel(*record, 5, 0, 0), 0x0C000000u);
  // Row 59 is inside the full part: 80 * 4 / 5 = 64 at column 0, clear at column 4.
  EXPECT_EQ(BitmapPixel(*record, 5, 0, 59), 0x40000000u);
  EXPECT_EQ(BitmapPixel(*record, 5, 4, 59), 0u);
  DestroyWindow(shadow);

  // A white horizontal strip of 8 without end flags from a longer cached piece keeps both fades.
  HWND longer = CreateDropShadow(10, 10, 40, 4, RGB(255, 255, 255), 200, 0);
  HWND shorter = CreateDropShadow(10, 10, 8, 4, RGB(255, 255, 255), 200, 0);
  ASSERT_NE(shorter, nullptr);
  const DropShadowRecord* strip = FindDropShadowRecord(shorter);
  ASSERT_NE(strip, nullptr);
  GdiFlush();
  // Row 0 of depth 4: a = opacity * 3 / 4; opacity 50 at both ends, 200 in the middle.
  const std::uint32_t alpha_first = BitmapPixel(*strip, 8, 0, 0) >> 24;
  const std::uint32_t alpha_mid = BitmapPixel(*strip, 8, 3, 0) >> 24;
  const std::uint32_t alpha_last = BitmapPixel(*strip, 8, 7, 0) >> 24;
  EXPECT_EQ(alpha_first, 37u);  // 50 * 3 / 4
  EXPECT_EQ(alpha_mid, 150u);   // 200 * 3 / 4
  EXPECT_EQ(alpha_last, 37u);
  EXPECT_EQ(BitmapPixel(*strip, 8, 3, 0) & 0xFF, 150u);  // premultiplied white
  DestroyWindow(longer);
  DestroyWindow(shorter);
}

TEST_F(HooksTest, PiecesAreReusedUntilDepthColourOrAlphaChange) {
  FreeDropShadowPieces();
  HWND a = CreateDropShadow(0, 0, 5, 100, RGB(0, 0, 0), 60, kShadowVertical);
  EXPECT_EQ(DropShadowPiecesBuilt(), 1);
  HWND b = CreateDropShadow(0, 0, 5, 40, RGB(0, 0, 0), 60, kShadowVertical | kShadowFadeEndOnly);
  EXPECT_EQ(DropShadowPiecesBuilt(), 1);
  HWND c = CreateDropShadow(0, 0, 100, 5, RGB(0, 0, 0), 60, 0);  // the other orientation has its own
  EXPECT_EQ(DropShadowPiecesBuilt(), 2);
  HWND d = CreateDropShadow(0, 0, 3, 40, RGB(0, 0, 0), 60, kShadowVertical);  // another depth
  EXPECT_EQ(DropShadowPiecesBuilt(), 3);
  HWND e = CreateDropShadow(0, 0, 3, 40, RGB(0, 0, 0), 61, kShadowVertical);
  EXPECT_EQ(DropShadowPiecesBuilt(), 4);
  HWND f = CreateDropShadow(0, 0, 3, 40, RGB(0, 0, 0), 61, kShadowVertical | kShadowRebuildPieces);
  EXPECT_EQ(DropShadowPiecesBuilt(), 1);
  for (HWND shadow : {a, b, c, d, e, f}) {
    EXPECT_NE(shadow, nullptr);
    DestroyWindow(shadow);
  }
}

TEST_F(HooksTest, NoShadowWithoutSizeOrAlpha) {
  const int before = CountShadowWindows();
  EXPECT_EQ(CreateDropShadow(0, 0, 5, 50, RGB(0, 0, 0), 0, kShadowVertical), nullptr);
  EXPECT_EQ(CreateDropShadow(0, 0, 0, 50, RGB(0, 0, 0), 40, kShadowVertical), nullptr);
  EXPECT_EQ(CreateDropShadow(0, 0, 5, -3, RGB(0, 0, 0), 40, kShadowVertical), nullptr);
  EXPECT_EQ(CountShadowWindows(), before);
}
}  // namespace
