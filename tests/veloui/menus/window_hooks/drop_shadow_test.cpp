#include "hooks_fixture.h"
#include "veloui/menus/drop_shadow.h"

namespace {
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

}  // namespace
