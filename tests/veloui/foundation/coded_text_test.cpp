// Coded text and fonts on a real DC; the codes themselves are tested natively.
#include "veloui/foundation/coded_text.h"

#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "veloui/foundation/fonts.h"

namespace {
int RepairCalls = 0;

class CodedTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCodedTextForTesting();
    font_ = CreateFontByPointSize(u"Tahoma", 10, 0);
    ASSERT_NE(font_, nullptr);
  }
  void TearDown() override {
    ResetCodedTextForTesting();
    DeleteObject(font_);
  }
  HFONT font_ = nullptr;
};

TEST_F(CodedTextTest, FontPointSizeAndFaceNameRoundTrip) {
  EXPECT_EQ(GetFontPointSize(font_), 10);
  EXPECT_EQ(GetFontFaceName(font_), u"Tahoma");
  LOGFONTW log{};
  GetObjectW(font_, sizeof(log), &log);
  EXPECT_EQ(log.lfHeight, -MulDiv(10, GetScreenDPI(0), 72));
  EXPECT_EQ(log.lfWeight, 400);
  EXPECT_EQ(GetFontPointSize(nullptr), 0);
  HFONT other = CreateFontByPointSize(u"Tahoma", 8, 0);
  EXPECT_EQ(FreeFontHandle(other), 1);
  EXPECT_EQ(GetObjectType(other), 0u);
}

TEST_F(CodedTextTest, RedThenBlackFromTheStartingColour) {
  DibCanvas canvas(200, 30);
  SetTextColor(canvas.Dc(), RGB(0, 0, 0));
  RECT rect{2, 2, 198, 28};
  DrawCodedText(canvas.Dc(), u"\\cFF0000red\\nblack", rect, font_, kCodedTopLeft);
  int lastRed = -1, firstBlack = -1;  // columns
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 30; ++y) {
      const std::uint32_t p = canvas.Pixel(x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (r > 160 && g < 90 && b < 90) lastRed = x;
      if (r < 90 && g < 90 && b < 90 && firstBlack < 0) firstBlack = x;
    }
  ASSERT_GE(lastRed, 0);
  ASSERT_GE(firstBlack, 0);
  EXPECT_LT(lastRed, firstBlack);
  HGDIOBJ previous = SelectObject(canvas.Dc(), font_);
  SIZE red{};
  GetTextExtentPoint32W(canvas.Dc(), L"red", 3, &red);
  SelectObject(canvas.Dc(), previous);
  EXPECT_GE(firstBlack, red.cx);
  EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(0, 0, 0));
}

// Drawing, never measuring, asks the panels to repair the text's alpha, once: the repair's own
// drawing is not repaired again. The DC keeps its font and no GDI object is left.
TEST_F(CodedTextTest, DrawingRepairsAlphaOnceRestoresTheFontAndLeavesNoGdiObject) {
  DibCanvas canvas(300, 40);
  const RECT rect{0, 0, 300, 40};
  RECT r = rect;
  DrawCodedText(canvas.Dc(), u"\\bwarm up", r, font_, 0);
  CodedText.RepairTextAlpha = [](HDC dc, const Text& text, const RECT& area, HFONT font, std::uint32_t options) {
    ++RepairCalls;
    RECT again = area;
    DrawCodedText(dc, text, again, font, options);
  };
  RepairCalls = 0;
  const HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_FONT);
  const DWORD objects = GdiObjectCount();
  for (int i = 0; i < 25; ++i) {
    for (const char16_t* text : {u"a\\bb\\ic\\ud\\se\\nf\\b", u"plain"}) {
      r = rect;
      DrawCodedText(canvas.Dc(), text, r, font_, 0);
      EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), before);
    }
    r = rect;
    DrawCodedText(canvas.Dc(), u"\\Bx\\|y\\cFF00FFz", r, nullptr, kCodedMeasureOnly);
  }
  EXPECT_EQ(GdiObjectCount(), objects);
  EXPECT_EQ(RepairCalls, 50);
  EXPECT_FALSE(CodedText.InsideTextAlphaRepair);
  SelectObject(canvas.Dc(), font_);
  r = rect;
  DrawCodedText(canvas.Dc(), u"a\\bb", r, nullptr, 0);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), font_);
  SelectObject(canvas.Dc(), before);
}
}  // namespace
