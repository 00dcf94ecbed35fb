#include "veloui/foundation/system_binding.h"

#include <gtest/gtest.h>

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/ui_colour.h"

namespace {
// An entry is filled only while its library is bound, so callers never call through a stale one.
TEST(SystemBinding, EntriesAreFilledOnlyWhileTheirLibrariesAreBound) {
  std::int32_t (*const releases[])() = {ReleaseGdiPlus, ReleaseDwm, ReleaseUxTheme};
  for (auto release : releases) release();
  ResetUIColourState();
  SystemFacts.OsVersionCode = 60;
  const ULONG_PTR token = BindGdiPlus();
  ASSERT_NE(token, 0u);
  EXPECT_EQ(BindGdiPlus(), token);
  EXPECT_NE(GdiPlusFunction("GdipCreateFromHDC"), nullptr);
  EXPECT_EQ(GdiPlusFunction("GdipNoSuchFunction"), nullptr);
  ASSERT_NE(BindUxTheme(), nullptr);
  EXPECT_EQ(BindUxTheme(), UxTheme.Library);
  EXPECT_EQ(UIColours.ThemeScrollbarData, reinterpret_cast<std::uintptr_t>(UxTheme.ThemeScrollbarData));
  if (UxTheme.ThemeScrollbarData != nullptr) {
    EXPECT_EQ(UIColours.ThemeCaptionColour, UxTheme.GetThemeSysColor(UxTheme.ThemeScrollbarData, COLOR_ACTIVECAPTION));
  }
  EXPECT_EQ(ReleaseGdiPlus(), 0);
  EXPECT_EQ(ReleaseUxTheme(), 0);
  ReleaseDwm();
  EXPECT_EQ(GdiPlusFunction("GdipCreateFromHDC"), nullptr);
  EXPECT_EQ(UxTheme.Library, nullptr);
  EXPECT_EQ(UIColours.ThemeScrollbarData, 0u);

  SetBindingLibraryNamesForTesting({L"no_such_dwm.dll", L"no_such_theme.dll", L"no_such_gdiplus.dll"});
  EXPECT_EQ(BindDwm(), 0);
  EXPECT_EQ(Dwm.DwmFlush, nullptr);
  EXPECT_EQ(Dwm.DwmCompositionEnabled, FALSE);
  EXPECT_EQ(BindUxTheme(), nullptr);
  EXPECT_EQ(UxTheme.OpenThemeData, nullptr);
  EXPECT_EQ(BindGdiPlus(), 0u);
  EXPECT_EQ(GdiPlusFunction("GdipCreateFromHDC"), nullptr);
  for (auto release : releases) EXPECT_EQ(release(), 0);  // releasing what was never bound does nothing
  SetBindingLibraryNamesForTesting({});
}
}  // namespace
