#include "veloui/foundation/core/coded_text_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A canvas whose characters are 6 pixels wide (8 in bold, +1 in italic) and 10 high
// (12 when underlined, so that line heights follow the font).
class FakeCanvas : public CodedTextCanvas {
 public:
  struct DrawCall {
    Text Segment;
    TextBox Box;
    std::uint32_t Format;
    CodedFontStyle Style;
    std::uint32_t Colour;
  };

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
                    TextBox rect = {10, 20, 500, 300}, int spacing = 0) {
  return LayOutCodedText(text, rect, options, CodedFontStyle{}, kBlack, spacing, canvas);
}

TEST(CodedTextFormat, OptionsDecodeIntoTheDrawFormat) {
  const std::uint32_t base = kFormatSingleLine | kFormatExpandTabs | kFormatNoClip;
  EXPECT_EQ(CodedTextDrawFormat(0), base | kFormatVCentre);
  EXPECT_EQ(CodedTextDrawFormat(kCodedTopLeft), base);
  EXPECT_EQ(CodedTextDrawFormat(0x30), base | kFormatCentre | kFormatVCentre);
  EXPECT_EQ(CodedTextDrawFormat(0x10), base | kFormatVCentre);  // both bits are needed
  EXPECT_EQ(CodedTextDrawFormat(0x31), base);                   // top-left wins
  EXPECT_EQ(CodedTextDrawFormat(kCodedTopLeft | 0x4000 | 0x8000), base | kFormatPathEllipsis | kFormatEndEllipsis);
}

TEST(CodedTextFormat, CodesOnlyWithABackslashAndWithoutTheNoCodesOption) {
  EXPECT_FALSE(UsesCodes(u"plain", 0));
  EXPECT_TRUE(UsesCodes(u"a\\bb", 0));
  EXPECT_FALSE(UsesCodes(u"a\\bb", kCodedNoCodes));
}

TEST(CodedText, BoldToggles) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"a\\bb\\bc");
  ASSERT_EQ(canvas.draws.size(), 3u);
  EXPECT_EQ(canvas.draws[0].Style.Weight, 400);
  EXPECT_EQ(canvas.draws[1].Segment, u"b");
  EXPECT_EQ(canvas.draws[1].Style.Weight, 700);
  EXPECT_EQ(canvas.draws[2].Style.Weight, 400);
  // a at 10, b at 10 + 6, c at 10 + 6 + 8.
  EXPECT_EQ(canvas.draws[1].Box.Left, 16);
  EXPECT_EQ(canvas.draws[2].Box.Left, 24);
  EXPECT_EQ(layout.Visible, u"abc");
  EXPECT_EQ(layout.Measured.Width, 20);
}

TEST(CodedText, BoldOfABoldStartingFontGoesToNormal) {
  FakeCanvas canvas;
  CodedFontStyle bold{700, false, false, false};
  canvas.style = bold;
  LayOutCodedText(u"x\\by", {0, 0, 100, 100}, kCodedTopLeft, bold, 0, 0, canvas);
  EXPECT_EQ(canvas.draws[1].Style.Weight, 400);
  FakeCanvas semibold;
  LayOutCodedText(u"x\\by", {0, 0, 100, 100}, kCodedTopLeft, CodedFontStyle{600}, 0, 0, semibold);
  EXPECT_EQ(semibold.draws[1].Style.Weight, 700);
}

TEST(CodedText, AttributesAccumulateUntilNormal) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\Ba\\ib\\uc\\sd\\ne");
  ASSERT_EQ(canvas.draws.size(), 5u);
  EXPECT_EQ(canvas.draws[3].Style, (CodedFontStyle{700, true, true, true}));
  EXPECT_EQ(canvas.draws[4].Style, CodedFontStyle{});
  EXPECT_TRUE(canvas.fontChanges.back());  // \n selects the starting font again
  EXPECT_EQ(layout.Visible, u"abcde");
}

TEST(CodedText, EscapedBackslashStaysInOneSegment) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"x\\\\y");
  ASSERT_EQ(canvas.draws.size(), 1u);
  EXPECT_EQ(canvas.draws[0].Segment, u"x\\y");
  EXPECT_EQ(layout.Visible, u"x\\y");
  EXPECT_EQ(layout.Measured.Width, 18);
}

TEST(CodedText, EscapedBackslashBeforeACode) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"a\\\\\\bb");
  ASSERT_EQ(canvas.draws.size(), 2u);
  EXPECT_EQ(canvas.draws[0].Segment, u"a\\");
  EXPECT_EQ(canvas.draws[1].Style.Weight, 700);
  EXPECT_EQ(layout.Visible, u"a\\b");
}

TEST(CodedText, ColourCodeThenNormal) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\cFF0000red\\nblack");
  ASSERT_EQ(canvas.draws.size(), 2u);
  EXPECT_EQ(canvas.draws[0].Segment, u"red");
  EXPECT_EQ(canvas.draws[0].Colour, 0x0000FFu);  // red in the low byte
  EXPECT_EQ(canvas.draws[1].Segment, u"black");
  EXPECT_EQ(canvas.draws[1].Colour, kBlack);
  EXPECT_EQ(layout.Visible, u"redblack");
}

TEST(CodedText, ColourCodeIsCaseInsensitiveAndReadsPairs) {
  EXPECT_EQ(ParseCodedColour(u"00ff80"), 0x80FF00u);
  EXPECT_EQ(ParseCodedColour(u"1G2345"), 0x452301u);  // a pair is read as far as it is hex
  EXPECT_EQ(ParseCodedColour(u"G12345"), 0x452300u);
  EXPECT_EQ(ParseCodedColour(u"FF"), 0x0000FFu);
  EXPECT_EQ(ParseCodedColour(u""), 0u);
  FakeCanvas canvas;
  Lay(canvas, u"\\C0000FFx");
  EXPECT_EQ(canvas.draws[0].Colour, 0xFF0000u);
}

TEST(CodedText, ColourCodesAreIgnoredWithTheOption) {
  FakeCanvas canvas;
  Lay(canvas, u"\\cFF0000red", kCodedTopLeft | kCodedIgnoreColours);
  EXPECT_EQ(canvas.draws[0].Colour, kBlack);
  EXPECT_EQ(canvas.draws[0].Segment, u"red");
}

TEST(CodedText, MeasuringLeavesTheColourAlone) {
  FakeCanvas canvas;
  canvas.colour = 0xABCDEF;
  const auto layout = Lay(canvas, u"\\cFF0000red\\nblack", kCodedTopLeft | kCodedMeasureOnly);
  EXPECT_EQ(canvas.colour, 0xABCDEFu);
  EXPECT_EQ(layout.Measured.Width, 48);
}

TEST(CodedText, TruncatedColourCodeTakesWhatExists) {
  FakeCanvas canvas;
  auto layout = Lay(canvas, u"ab\\cFF");
  EXPECT_EQ(layout.Visible, u"ab");
  EXPECT_EQ(canvas.colour, 0x0000FFu);
  FakeCanvas five;
  layout = Lay(five, u"\\c12345");
  EXPECT_EQ(layout.Visible, u"");
  EXPECT_TRUE(five.draws.empty());
  EXPECT_EQ(five.colour, 0x053412u);  // pairs 12, 34 and a lone 5
}

TEST(CodedText, TrailingLoneBackslashIsDropped) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"abc\\");
  EXPECT_EQ(layout.Visible, u"abc");
  ASSERT_EQ(canvas.draws.size(), 1u);
  EXPECT_EQ(canvas.draws[0].Segment, u"abc");
}

TEST(CodedText, UnknownCodeLosesOnlyItsBackslash) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"a\\qb\\Zc");
  EXPECT_EQ(layout.Visible, u"aqbZc");
  EXPECT_EQ(layout.Measured.Width, 30);
}

TEST(CodedText, NewLineCodeMeasuresTwoLines) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"short\\|longer", kCodedTopLeft | kCodedMeasureOnly);
  EXPECT_TRUE(canvas.draws.empty());
  EXPECT_EQ(layout.Measured.Height, 20);
  EXPECT_EQ(layout.Measured.Width, 36);
  EXPECT_EQ(layout.Visible, u"shortlonger");
}

TEST(CodedText, LineSpacingOnlyWithANewLineCode) {
  FakeCanvas canvas;
  auto layout = Lay(canvas, u"a\\|b", kCodedTopLeft | kCodedMeasureOnly, {}, 3);
  EXPECT_EQ(layout.Measured.Height, 26);
  FakeCanvas single;
  layout = Lay(single, u"a\\bb", kCodedTopLeft | kCodedMeasureOnly, {}, 3);
  EXPECT_EQ(layout.Measured.Height, 10);
}

TEST(CodedText, NewLineCodeMovesThePen) {
  FakeCanvas canvas;
  Lay(canvas, u"one\\|two");
  ASSERT_EQ(canvas.draws.size(), 2u);
  EXPECT_EQ(canvas.draws[1].Box.Left, 10);
  EXPECT_EQ(canvas.draws[1].Box.Top, 30);
  EXPECT_EQ(canvas.draws[1].Box.Bottom, 40);  // top-left: bottom = top + height
}

TEST(CodedText, LineHeightFollowsTheCurrentFont) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\ubig\\|small", kCodedTopLeft | kCodedMeasureOnly);
  EXPECT_EQ(layout.Measured.Height, 24);  // 12 + 12, still underlined on the second line
}

TEST(CodedText, MeasureIsTheSumOfThePlainSegments) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"ab\\bcd\\bef", kCodedTopLeft | kCodedMeasureOnly);
  EXPECT_EQ(layout.Measured.Width, 2 * 6 + 2 * 8 + 2 * 6);
  EXPECT_EQ(layout.Measured.Height, 10);
}

TEST(CodedText, LinkRecordsItsRectangle) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"go \\l12link\\l now", kCodedTopLeft | kCodedRecordLinks | kCodedVisibleText);
  ASSERT_EQ(layout.Links.size(), 1u);
  const TextLinkRecord& link = layout.Links[0];
  EXPECT_EQ(link.LinkNumber, 12);
  EXPECT_EQ(link.Left, 10 + 18);
  EXPECT_EQ(link.Top, 20);
  EXPECT_EQ(link.Right, 28 + 24);
  EXPECT_EQ(link.Bottom, 30);
  EXPECT_EQ(layout.Visible, u"go link now");
}

TEST(CodedText, LinkAloneGivesTheWordAsVisibleText) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\l12link\\l", kCodedTopLeft | kCodedRecordLinks | kCodedVisibleText);
  EXPECT_EQ(layout.Visible, u"link");
  ASSERT_EQ(layout.Links.size(), 1u);
  EXPECT_EQ(layout.Links[0].Right - layout.Links[0].Left, 24);
}

TEST(CodedText, LinkTextIsMeasuredWithoutCodes) {
  EXPECT_EQ(LinkMeasureText(u"\\bbo\\Bld\\n"), u"bold");
  EXPECT_EQ(LinkMeasureText(u"a\\\\b"), u"a\\b");
  EXPECT_EQ(LinkMeasureText(u"pre\\cFF0000red"), u"red");
  EXPECT_EQ(LinkMeasureText(u"pre\\cFF"), u"");
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\l3\\cFF0000ab\\l", kCodedTopLeft | kCodedRecordLinks);
  ASSERT_EQ(layout.Links.size(), 1u);
  EXPECT_EQ(layout.Links[0].Right - layout.Links[0].Left, 12);
}

TEST(CodedText, ClosingLinkWithoutOpeningIsIgnored) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"a\\lb\\l", kCodedTopLeft | kCodedRecordLinks);
  EXPECT_TRUE(layout.Links.empty());
  EXPECT_EQ(layout.Visible, u"ab");
}

TEST(CodedText, HugeLinkNumberSaturates) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\l99999999999x\\l", kCodedTopLeft);
  ASSERT_EQ(layout.Links.size(), 1u);
  EXPECT_EQ(layout.Links[0].LinkNumber, 2147483647);
  EXPECT_EQ(layout.Visible, u"x");
}

TEST(CodedText, ClipsAtTheRightEdgeAndDropsNoClip) {
  FakeCanvas canvas;
  Lay(canvas, u"abc\\bdefgh\\bi", kCodedTopLeft, {0, 0, 40, 100});
  ASSERT_EQ(canvas.draws.size(), 3u);
  EXPECT_NE(canvas.draws[0].Format & kFormatNoClip, 0u);
  EXPECT_EQ(canvas.draws[1].Box.Right, 40);
  EXPECT_EQ(canvas.draws[1].Format & kFormatNoClip, 0u);
  EXPECT_EQ(canvas.draws[2].Format & kFormatNoClip, 0u);  // for the rest of the text
}

TEST(CodedText, EndEllipsisForAOneCharacterSegmentPastTheEdge) {
  FakeCanvas canvas;
  Lay(canvas, u"abcdef\\bg", kCodedTopLeft | kCodedEndEllipsis, {0, 0, 40, 100});
  ASSERT_EQ(canvas.draws.size(), 2u);
  EXPECT_EQ(canvas.draws[1].Segment, u"...");
}

TEST(CodedText, VerticallyCentredSegmentsReachTheBottom) {
  FakeCanvas canvas;
  Lay(canvas, u"a\\bb", 0, {0, 0, 100, 50});
  EXPECT_EQ(canvas.draws[0].Box.Bottom, 50);
  EXPECT_NE(canvas.draws[0].Format & kFormatVCentre, 0u);
}

TEST(CodedText, BottomIsClippedToTheRectangle) {
  FakeCanvas canvas;
  Lay(canvas, u"a\\|b", kCodedTopLeft, {0, 0, 100, 15});
  ASSERT_EQ(canvas.draws.size(), 2u);
  EXPECT_EQ(canvas.draws[1].Box.Bottom, 15);
  EXPECT_EQ(canvas.draws[1].Format & kFormatNoClip, 0u);
}

TEST(CodedText, EmptySegmentsMeasureASpace) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\|x", kCodedTopLeft | kCodedMeasureOnly);
  EXPECT_EQ(layout.Measured.Height, 20);
  EXPECT_EQ(canvas.measured.front(), u" ");
}

TEST(CodedText, OnlyCodesDrawNothing) {
  FakeCanvas canvas;
  const auto layout = Lay(canvas, u"\\b\\i\\n");
  EXPECT_TRUE(canvas.draws.empty());
  EXPECT_EQ(layout.Visible, u"");
  EXPECT_EQ(layout.Measured.Width, 0);
}

}  // namespace
