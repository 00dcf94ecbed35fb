#include "veloui/foundation/core/coded_text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// A canvas whose characters are 6 pixels wide (8 in bold, +1 in italic) and 10 high
// (12 when underlined, so that line heights follow the font).
class FakeCanvas : public CodedTextCanvas {
 public:
  struct DrawCall { Text Segment; TextBox Box; std::uint32_t Format; CodedFontStyle Style; std::uint32_t Colour; };

  TextExtent Measure(TextView text) override {
    measured.emplace_back(text);
    const int perChar = (style.Weight == 700 ? 8 : 6) + (style.Italic ? 1 : 0);
    return {static_cast<int>(text.size()) * perChar, style.Underline ? 12 : 10};
  }
  void Draw(TextView text, const TextBox& box, std::uint32_t format) override {
    draws.push_back({Text(text), box, format, style, colour});
  }
  void UseFont(const CodedFontStyle& next, bool starting) override {
    style = next;
    fontChanges.push_back(starting);
  }
  void UseTextColour(std::uint32_t next) override { colour = next; }

  CodedFontStyle style;
  std::uint32_t colour = 0x123456;
  std::vector<DrawCall> draws;
  std::vector<Text> measured;
  std::vector<bool> fontChanges;
};

constexpr std::uint32_t kBlack = 0x123456;

CodedTextLayout Lay(FakeCanvas& canvas, TextView text, std::uint32_t options = kCodedTopLeft,
                    TextBox rect = {10, 20, 500, 300}, int spacing = 0, CodedFontStyle start = {}) {
  return LayOutCodedText(text, rect, options, start, kBlack, spacing, canvas);
}
// The canvas after one layout.
FakeCanvas Drawn(TextView text, std::uint32_t options = kCodedTopLeft, TextBox rect = {10, 20, 500, 300},
                 CodedFontStyle start = {}) {
  FakeCanvas canvas;
  canvas.style = start;
  Lay(canvas, text, options, rect, 0, start);
  return canvas;
}

TEST(CodedTextFormat, OptionsDecodeIntoTheDrawFormat) {
  const std::uint32_t base = kFormatSingleLine | kFormatExpandTabs | kFormatNoClip;
  EXPECT_EQ(CodedTextDrawFormat(0), base | kFormatVCentre);
  EXPECT_EQ(CodedTextDrawFormat(kCodedTopLeft), base);
  EXPECT_EQ(CodedTextDrawFormat(0x30), base | kFormatCentre | kFormatVCentre);
  EXPECT_EQ(CodedTextDrawFormat(0x10), base | kFormatVCentre);  // both bits are needed
  EXPECT_EQ(CodedTextDrawFormat(0x31), base);                   // top-left wins
  EXPECT_EQ(CodedTextDrawFormat(kCodedTopLeft | 0x4000 | 0x8000), base | kFormatPathEllipsis | kFormatEndEllipsis);
  EXPECT_FALSE(UsesCodes(u"plain", 0));
  EXPECT_TRUE(UsesCodes(u"a\\bb", 0));
  EXPECT_FALSE(UsesCodes(u"a\\bb", kCodedNoCodes));
}

// Visible text and measure of coded texts: 6 px a character, 8 in bold, lines 10 high (12 underlined).
// Short or broken codes never read past the end.
TEST(CodedText, VisibleTextAndMeasure) {
  const struct { const char16_t* Text; int Spacing; const char16_t* Visible; int Width, Height; } cases[] = {
      {u"x\\\\y", 0, u"x\\y", 18, 10},       {u"a\\\\\\bb", 0, u"a\\b", 20, 10},  // escaped backslashes, before a code too
      {u"a\\qb\\Zc", 0, u"aqbZc", 30, 10},   // an unknown code loses only its backslash
      {u"abc\\", 0, u"abc", 18, 10},         // a trailing lone backslash is dropped
      {u"ab\\cFF", 0, u"ab", 12, 10},        {u"\\c12345", 0, u"", 0, 10},  // a truncated colour takes what exists
      {u"\\cFF0000red\\nblack", 0, u"redblack", 48, 10},
      {u"ab\\bcd\\bef", 0, u"abcdef", 2 * 6 + 2 * 8 + 2 * 6, 10},  // the sum of the plain segments
      {u"short\\|longer", 0, u"shortlonger", 36, 20},
      {u"\\ubig\\|small", 0, u"bigsmall", 30, 24},  // the line height follows the current font
      {u"\\|x", 0, u"x", 6, 20},                    // an empty segment measures a space
      {u"a\\|b", 3, u"ab", 6, 26}, {u"a\\bb", 3, u"ab", 14, 10},  // line spacing only with a new-line code
      {u"a\\lb\\l", 0, u"ab", 12, 10},            // a closing link without an opening one
  };
  for (const auto& c : cases) {
    FakeCanvas canvas;
    const auto layout = Lay(canvas, c.Text, kCodedTopLeft | kCodedMeasureOnly | kCodedRecordLinks, {}, c.Spacing);
    const std::string name = TextToUtf8(c.Text);
    EXPECT_TRUE(canvas.draws.empty()) << name;
    EXPECT_EQ(layout.Visible, c.Visible) << name;
    EXPECT_EQ(layout.Measured.Width, c.Width) << name;
    EXPECT_EQ(layout.Measured.Height, c.Height) << name;
    if (c.Text == std::u16string_view(u"a\\lb\\l")) { EXPECT_TRUE(layout.Links.empty()); }
    if (c.Text == std::u16string_view(u"\\|x")) { EXPECT_EQ(canvas.measured.front(), u" "); }
  }
}

TEST(CodedText, FontCodesToggleAccumulateAndMoveThePen) {
  const FakeCanvas canvas = Drawn(u"a\\bb\\bc");
  ASSERT_EQ(canvas.draws.size(), 3u);
  // a at 10, b at 10 + 6, c at 10 + 6 + 8
  EXPECT_EQ(std::tuple(canvas.draws[1].Segment, canvas.draws[1].Style.Weight, canvas.draws[1].Box.Left),
            std::tuple(u"b", 700, 16));
  EXPECT_EQ(std::pair(canvas.draws[2].Style.Weight, canvas.draws[2].Box.Left), std::pair(400, 24));
  // Bold of a bold starting font goes to normal; of a semibold one to bold.
  EXPECT_EQ(Drawn(u"x\\by", kCodedTopLeft, {0, 0, 100, 100}, {700}).draws[1].Style.Weight, 400);
  EXPECT_EQ(Drawn(u"x\\by", kCodedTopLeft, {0, 0, 100, 100}, {600}).draws[1].Style.Weight, 700);
  const FakeCanvas all = Drawn(u"\\Ba\\ib\\uc\\sd\\ne");
  ASSERT_EQ(all.draws.size(), 5u);
  EXPECT_EQ(all.draws[3].Style, (CodedFontStyle{700, true, true, true}));
  EXPECT_EQ(all.draws[4].Style, CodedFontStyle{});
  EXPECT_TRUE(all.fontChanges.back());  // \n selects the starting font again
  EXPECT_TRUE(Drawn(u"\\b\\i\\n").draws.empty());
}

TEST(CodedText, ColourCodes) {
  const FakeCanvas canvas = Drawn(u"\\cFF0000red\\nblack");
  ASSERT_EQ(canvas.draws.size(), 2u);
  EXPECT_EQ(std::pair(canvas.draws[0].Colour, canvas.draws[1].Colour), std::pair(0x0000FFu, kBlack));  // red in the low byte
  EXPECT_EQ(ParseCodedColour(u"00ff80"), 0x80FF00u);
  EXPECT_EQ(ParseCodedColour(u"1G2345"), 0x452301u);  // a pair is read as far as it is hex
  EXPECT_EQ(ParseCodedColour(u"G12345"), 0x452300u);
  EXPECT_EQ(ParseCodedColour(u""), 0u);
  EXPECT_EQ(Drawn(u"\\C0000FFx").draws[0].Colour, 0xFF0000u);
  EXPECT_EQ(Drawn(u"\\cFF0000red", kCodedTopLeft | kCodedIgnoreColours).draws[0].Colour, kBlack);
  FakeCanvas measuring;  // a measure leaves the text colour alone
  measuring.colour = 0xABCDEF;
  Lay(measuring, u"\\cFF0000red\\nblack", kCodedTopLeft | kCodedMeasureOnly);
  EXPECT_EQ(measuring.colour, 0xABCDEFu);
  // A truncated colour code takes what exists: "FF", or pairs 12, 34 and a lone 5.
  EXPECT_EQ(Drawn(u"ab\\cFF").colour, 0x0000FFu);
  const FakeCanvas five = Drawn(u"\\c12345");
  EXPECT_TRUE(five.draws.empty());
  EXPECT_EQ(five.colour, 0x053412u);
}

TEST(CodedText, LinksRecordTheirRectangleMeasuredWithoutCodes) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"go \\l12link\\l now", kCodedTopLeft | kCodedRecordLinks | kCodedVisibleText);
  ASSERT_EQ(layout.Links.size(), 1u);
  const TextLinkRecord& link = layout.Links[0];
  EXPECT_EQ((std::vector<int>{link.LinkNumber, link.Left, link.Top, link.Right, link.Bottom}),
            (std::vector<int>{12, 10 + 18, 20, 28 + 24, 30}));
  EXPECT_EQ(layout.Visible, u"go link now");
  const auto only = Lay(canvas, u"\\l12link\\l", kCodedTopLeft | kCodedRecordLinks | kCodedVisibleText);
  EXPECT_EQ(only.Visible, u"link");
  ASSERT_EQ(only.Links.size(), 1u);
  EXPECT_EQ(only.Links[0].Right - only.Links[0].Left, 24);
  const auto saturated = Lay(canvas, u"\\l99999999999x\\l", kCodedTopLeft);
  ASSERT_EQ(saturated.Links.size(), 1u);
  EXPECT_EQ(std::pair(saturated.Links[0].LinkNumber, saturated.Visible), std::pair(2147483647, Text(u"x")));
  EXPECT_EQ(LinkMeasureText(u"\\bbo\\Bld\\n"), u"bold");
  EXPECT_EQ(LinkMeasureText(u"a\\\\b"), u"a\\b");
  EXPECT_EQ(LinkMeasureText(u"pre\\cFF0000red"), u"red");
  EXPECT_EQ(LinkMeasureText(u"pre\\cFF"), u"");
  const auto measured = Lay(canvas, u"\\l3\\cFF0000ab\\l", kCodedTopLeft | kCodedRecordLinks);
  ASSERT_EQ(measured.Links.size(), 1u);
  EXPECT_EQ(measured.Links[0].Right - measured.Links[0].Left, 12);
}

TEST(CodedText, NewLinesAndClippingAtTheRectangle) {
  const FakeCanvas lines = Drawn(u"one\\|two");
  ASSERT_EQ(lines.draws.size(), 2u);
  const TextBox& second = lines.draws[1].Box;  // top-left: bottom = top + height
  EXPECT_EQ(std::tuple(second.Left, second.Top, second.Bottom), std::tuple(10, 30, 40));
  const FakeCanvas canvas = Drawn(u"abc\\bdefgh\\bi", kCodedTopLeft, {0, 0, 40, 100});
  ASSERT_EQ(canvas.draws.size(), 3u);
  EXPECT_NE(canvas.draws[0].Format & kFormatNoClip, 0u);
  EXPECT_EQ(canvas.draws[1].Box.Right, 40);
  EXPECT_EQ(canvas.draws[1].Format & kFormatNoClip, 0u);
  EXPECT_EQ(canvas.draws[2].Format & kFormatNoClip, 0u);  // for the rest of the text
  const FakeCanvas ellipsis = Drawn(u"abcdef\\bg", kCodedTopLeft | kCodedEndEllipsis, {0, 0, 40, 100});
  ASSERT_EQ(ellipsis.draws.size(), 2u);
  EXPECT_EQ(ellipsis.draws[1].Segment, u"...");
  const FakeCanvas bottom = Drawn(u"a\\|b", kCodedTopLeft, {0, 0, 100, 15});
  ASSERT_EQ(bottom.draws.size(), 2u);
  EXPECT_EQ(bottom.draws[1].Box.Bottom, 15);
  EXPECT_EQ(bottom.draws[1].Format & kFormatNoClip, 0u);
  const FakeCanvas centred = Drawn(u"a\\bb", 0, {0, 0, 100, 50});
  EXPECT_EQ(centred.draws[0].Box.Bottom, 50);
  EXPECT_NE(centred.draws[0].Format & kFormatVCentre, 0u);
}

}  // namespace
