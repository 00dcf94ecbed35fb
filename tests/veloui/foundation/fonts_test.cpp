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

TEST(Fonts, StyleFlags) {
  HFONT font = CreateFontByPointSize(u"Tahoma", 12, 1 | 2 | 4 | 8 | 0x20000);
  LOGFONTW log{};
  GetObjectW(font, sizeof(log), &log);
  EXPECT_EQ(log.lfWeight, 700);
  EXPECT_TRUE(log.lfItalic);
  EXPECT_TRUE(log.lfUnderline);
  EXPECT_TRUE(log.lfStrikeOut);
  EXPECT_EQ(log.lfQuality, NONANTIALIASED_QUALITY);
  FreeFontHandle(font);
  font = CreateFontByPointSize(u"Tahoma", 12, 700);
  GetObjectW(font, sizeof(log), &log);
  EXPECT_EQ(log.lfWeight, 700);
  EXPECT_FALSE(log.lfItalic);
  FreeFontHandle(font);
}

TEST(Fonts, WindowTakesTheFont) {
  HWND window = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  HFONT font = CreateFontByPointSize(u"Tahoma", 9, 0);
  EXPECT_EQ(SetWindowFontHandle(window, font), 0);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), font);
  DestroyWindow(window);
  FreeFontHandle(font);
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
