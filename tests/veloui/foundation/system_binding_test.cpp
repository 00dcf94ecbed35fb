#include "veloui/foundation/system_binding.h"

#include <gtest/gtest.h>

#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/ui_colour.h"

namespace {
class SystemBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReleaseGdiPlus();
    ReleaseDwm();
    ReleaseUxTheme();
  }
  void TearDown() override {
    ReleaseGdiPlus();
    ReleaseDwm();
    ReleaseUxTheme();
    SetBindingLibraryNamesForTesting({});
  }
};

TEST_F(SystemBindingTest, MissingLibrariesLeaveEveryEntryEmpty) {
  SetBindingLibraryNamesForTesting({L"no_such_dwm.dll", L"no_such_theme.dll", L"no_such_gdiplus.dll"});
  EXPECT_EQ(BindDwm(), 0);
  EXPECT_EQ(Dwm.Library, nullptr);
  EXPECT_EQ(Dwm.DwmFlush, nullptr);
  EXPECT_EQ(Dwm.DwmCompositionEnabled, FALSE);
  EXPECT_EQ(BindUxTheme(), nullptr);
  EXPECT_EQ(UxTheme.OpenThemeData, nullptr);
  EXPECT_EQ(UxTheme.ThemeScrollbarData, nullptr);
  EXPECT_EQ(BindGdiPlus(), 0u);
  EXPECT_EQ(GdiPlusFunction("GdipCreateFromHDC"), nullptr);
  // Releasing what was never bound does nothing.
  EXPECT_EQ(ReleaseGdiPlus(), 0);
  EXPECT_EQ(ReleaseDwm(), 0);
  EXPECT_EQ(ReleaseUxTheme(), 0);
}

TEST_F(SystemBindingTest, GdiPlusStartsOnceAndResolvesItsFlatFunctions) {
  const ULONG_PTR token = BindGdiPlus();
  ASSERT_NE(token, 0u);
  EXPECT_EQ(BindGdiPlus(), token);
  EXPECT_NE(GdiPlusFunction("GdipCreateFromHDC"), nullptr);
  EXPECT_EQ(GdiPlusFunction("GdipNoSuchFunction"), nullptr);
  EXPECT_EQ(ReleaseGdiPlus(), 0);
  EXPECT_EQ(GdiPlus.GdiPlusToken, 0u);
  EXPECT_EQ(GdiPlusFunction("GdipCreateFromHDC"), nullptr);
}

TEST_F(SystemBindingTest, UxThemeOpensTheScrollbarThemeAndReadsTheCaptionColour) {
  ResetUIColourState();
  SystemFacts.OsVersionCode = 60;
  ASSERT_NE(BindUxTheme(), nullptr);
  EXPECT_EQ(BindUxTheme(), UxTheme.Library);  // the second call keeps the first binding
  EXPECT_NE(UxTheme.CloseThemeData, nullptr);
  EXPECT_EQ(UIColours.ThemeScrollbarData, reinterpret_cast<std::uintptr_t>(UxTheme.ThemeScrollbarData));
  if (UxTheme.ThemeScrollbarData != nullptr) {
    // The theme word follows the caption colour the theme reports, whatever it is here.
    EXPECT_EQ(UIColours.ThemeCaptionColour, UxTheme.GetThemeSysColor(UxTheme.ThemeScrollbarData, COLOR_ACTIVECAPTION));
    EXPECT_EQ(GetThemeColourName(), ColourModeWord(ClassifyCaptionColour(UIColours.ThemeCaptionColour)));
  } else {
    EXPECT_EQ(GetThemeColourName(), u"");
  }
  EXPECT_EQ(ReleaseUxTheme(), 0);
  EXPECT_EQ(UxTheme.Library, nullptr);
  EXPECT_EQ(UIColours.ThemeScrollbarData, 0u);
}

}  // namespace
