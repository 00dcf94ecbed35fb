#include "veloui/foundation/fonts.h"

#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "veloui/foundation/gradients.h"
#include "veloui/foundation/system_binding.h"

namespace {

TEST(Fonts, PointSizeAndFaceNameRoundTrip) {
  HFONT font = CreateFontByPointSize(u"Tahoma", 10, 0);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetFontPointSize(font), 10);
  EXPECT_EQ(GetFontFaceName(font), u"Tahoma");
  LOGFONTW log{};
  GetObjectW(font, sizeof(log), &log);
  EXPECT_EQ(log.lfHeight, -MulDiv(10, GetScreenDPI(0), 72));
  EXPECT_EQ(log.lfWeight, 400);
  EXPECT_EQ(log.lfPitchAndFamily & 3, VARIABLE_PITCH);
  EXPECT_EQ(FreeFontHandle(font), 1);
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_EQ(GetFontPointSize(nullptr), 0);
  EXPECT_EQ(GetFontFaceName(nullptr), u"");
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetScreenDPI(1), GetDeviceCaps(screen, LOGPIXELSX));
  EXPECT_EQ(GetScreenDPI(0), GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}

TEST(Gradients, CreatedOnlyWithGdiPlus) {
  ResetToolkitGlobalLists();
  if (BindGdiPlus() != 0) {
    const GradientHandle g = CreateGradient(1, 0xFF000000, 0xFFFFFFFF);
    EXPECT_NE(g, 0u);
    EXPECT_EQ(GetGradientColour(g, 1.0f), 0xFFFFFFFFu);
    EXPECT_EQ(GradientList().size(), 1u);
    FreeGradient(g);
  }
  ReleaseGdiPlus();
  SetBindingLibraryNamesForTesting({L"dwmapi.dll", L"UxTheme.dll", L"no-such-gdiplus.dll"});
  EXPECT_EQ(CreateGradient(1, 0, 0), 0u);
  EXPECT_TRUE(GradientList().empty());
  SetBindingLibraryNamesForTesting({});
}

}  // namespace
