#include "veloui/foundation/coded_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/fonts.h"

namespace {

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

  // The plain measure of a text in a font, for comparison.
  static SIZE Plain(HDC dc, HFONT font, const wchar_t* text) {
    HGDIOBJ previous = SelectObject(dc, font);
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &box, DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, previous);
    return SIZE{box.right, box.bottom - box.top};
  }

  // The leftmost and rightmost columns holding pixels of `colour` (-1 when none).
  static std::pair<int, int> Columns(const DibCanvas& canvas, bool (*match)(std::uint32_t)) {
    int first = -1, last = -1;
    for (int x = 0; x < canvas.Width(); ++x) {
      for (int y = 0; y < canvas.Height(); ++y) {
        if (match(canvas.Pixel(x, y))) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return {first, last};
  }

  HFONT font_ = nullptr;
};

bool Reddish(std::uint32_t p) { return ((p >> 16) & 0xFF) > 160 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90; }
bool Darkish(std::uint32_t p) { return ((p >> 16) & 0xFF) < 90 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90; }

TEST_F(CodedTextTest, RedThenBlack) {
  DibCanvas canvas(200, 30);
  SetTextColor(canvas.Dc(), RGB(0, 0, 0));
  RECT rect{2, 2, 198, 28};
  DrawCodedText(canvas.Dc(), u"\\cFF0000red\\nblack", rect, font_, kCodedTopLeft);
  const auto red = Columns(canvas, &Reddish);
  const auto black = Columns(canvas, &Darkish);
  ASSERT_GE(red.first, 0);
  ASSERT_GE(black.first, 0);
  EXPECT_LT(red.second, black.first);
  const SIZE redWidth = Plain(canvas.Dc(), font_, L"red");
  EXPECT_GE(black.first, 2 + redWidth.cx - 2);
  EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(0, 0, 0));  // \n went back to the starting colour
}

TEST_F(CodedTextTest, FontOfTheDcIsRestored) {
  DibCanvas canvas(100, 30);
  HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_FONT);
  RECT rect{0, 0, 100, 30};
  DrawCodedText(canvas.Dc(), u"a\\bb\\ic\\ud", rect, font_, 0);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), before);
  DrawCodedText(canvas.Dc(), u"plain", rect, font_, 0);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), before);
  SelectObject(canvas.Dc(), font_);
  DrawCodedText(canvas.Dc(), u"a\\bb", rect, nullptr, 0);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), font_);
  SelectObject(canvas.Dc(), before);
}

TEST_F(CodedTextTest, NoGdiObjectIsLeft) {
  DibCanvas canvas(300, 40);
  RECT rect{0, 0, 300, 40};
  DrawCodedText(canvas.Dc(), u"\\bwarm up", rect, font_, 0);
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 25; ++i) {
    RECT r = rect;
    DrawCodedText(canvas.Dc(), u"a\\bb\\ic\\ud\\se\\nf\\b", r, font_, 0);
    r = rect;
    DrawCodedText(canvas.Dc(), u"\\Bx\\|y\\cFF00FFz", r, nullptr, kCodedMeasureOnly);
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(CodedTextTest, LinksAreRecordedIntoTheCurrentTextControl) {
  DibCanvas canvas(200, 30);
  std::vector<TextLinkRecord> links{{99, 0, 0, 0, 0}};
  CodedText.CurrentTextLinks = &links;
  RECT rect{5, 3, 195, 27};
  const Text visible =
      DrawCodedText(canvas.Dc(), u"go \\l12link\\l now", rect, font_, kCodedTopLeft | kCodedRecordLinks | kCodedVisibleText);
  EXPECT_EQ(visible, u"go link now");
  ASSERT_EQ(links.size(), 1u);  // emptied first
  const SIZE go = Plain(canvas.Dc(), font_, L"go ");
  const SIZE link = Plain(canvas.Dc(), font_, L"link");
  EXPECT_EQ(links[0].LinkNumber, 12);
  EXPECT_EQ(links[0].Left, 5 + go.cx);
  EXPECT_EQ(links[0].Top, 3);
  EXPECT_EQ(links[0].Right, 5 + go.cx + link.cx);
  EXPECT_EQ(links[0].Bottom, 3 + link.cy);
}

int RepairCalls = 0;
void CountingRepair(HDC dc, const Text& text, const RECT& rect, HFONT font, std::uint32_t options) {
  ++RepairCalls;
  RECT again = rect;
  DrawCodedText(dc, text, again, font, options);  // the guard stops a second repair
}

TEST_F(CodedTextTest, AlphaRepairAfterDrawingOnly) {
  DibCanvas canvas(200, 30);
  RepairCalls = 0;
  CodedText.RepairTextAlpha = &CountingRepair;
  RECT rect{0, 0, 200, 30};
  DrawCodedText(canvas.Dc(), u"a\\bb", rect, font_, 0);
  EXPECT_EQ(RepairCalls, 1);
  DrawCodedText(canvas.Dc(), u"plain", rect, font_, 0);
  EXPECT_EQ(RepairCalls, 2);
  DrawCodedText(canvas.Dc(), u"a\\bb", rect, font_, kCodedMeasureOnly);
  EXPECT_EQ(RepairCalls, 2);
  EXPECT_FALSE(CodedText.InsideTextAlphaRepair);
}

}  // namespace
