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
