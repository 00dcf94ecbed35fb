#include "veloui/foundation/core/colour_expression.h"

#include <gtest/gtest.h>

#include <utility>

#include "veloui/foundation/core/named_colours.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"

namespace {
class ColourExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitGlobalLists();
    ResetUIColourState();
    InitColourTables();
    // A made-up system palette: every index reads back as a recognisable word.
    SetSystemColourReader([](std::int32_t index) { return 0x00ABCD00u + static_cast<std::uint32_t>(index); });
  }
  void TearDown() override { SetSystemColourReader(nullptr); }
};

TEST_F(ColourExpressionTest, RgbAndRgbaCallsClampEveryField) {
  const std::pair<const char16_t*, std::uint32_t> cases[] = {
      {u"RGB(255, 0, 0);", 0x000000FFu},    {u"rgb(1,2,3)", 0x00030201u},
      {u"rgba(255,0,0,0.5)", 0x80FF0000u}, {u"rgba(255,0,0,0)", 0x01FF0000u},  // a fraction rounds, 0 is 1
      {u"rgba(1,2,3,200)", 0xC8010203u},   {u"rgba(1,2,3,1.0)", 0xFF010203u},
      {u"rgb(300, -5, 256)", 0x00FF00FFu}, {u"rgba(0,0,0,999)", 0xFF000000u},  // no channel bleeds
      {u"rgba(0,0,0,-3)", 0x01000000u},    {u"rgba(0,0,0,1.7)", 0xFF000000u},
      {u"rgb(x, 7)", 0x00000700u},  // not a number reads 0, a missing field 0
      {u"rgb(1,2,3", kNoColour},           {u"rgb)1,2,3(", kNoColour},
  };
  for (const auto& [text, colour] : cases) EXPECT_EQ(ParseColourValue(text), colour) << TextToUtf8(text);
}

TEST_F(ColourExpressionTest, HexNeedsExactlySixDigits) {
  EXPECT_EQ(ParseColourValue(u"#FF8000"), 0x000080FFu);
  EXPECT_EQ(ParseColourValue(u"  #a0b1c2;"), 0x00C2B1A0u);
  EXPECT_EQ(ParseColourValue(u"#ff80"), kNoColour);
  EXPECT_EQ(ParseColourValue(u"#ff80001"), kNoColour);
  EXPECT_EQ(ParseColourValue(u"#ff800g"), kNoColour);
}

TEST_F(ColourExpressionTest, SystemColourNames) {
  EXPECT_EQ(ParseColourValue(u"color_btnface"), 0x00ABCD0Fu);
  EXPECT_EQ(ParseColourValue(u" COLOR_WINDOWTEXT;"), 0x00ABCD08u);
  EXPECT_EQ(ParseColourValue(u"Color_Scrollbar"), 0x00ABCD00u);
  EXPECT_EQ(SystemColourIndex(u"COLOR_NOTHING"), -1);
}

TEST_F(ColourExpressionTest, NamedColoursAsColorref) {
  EXPECT_EQ(ParseColourValue(u" steelblue;"), 0x00B48246u);
  EXPECT_EQ(ParseColourValue(u"steelblue ;"), kNoColour);
  EXPECT_EQ(ParseColourValue(u"mediumpurple"), 0x00D87093u);
  EXPECT_EQ(ParseColourValue(u"PaleVioletRed"), 0x009370D8u);
  EXPECT_EQ(ParseColourValue(u"grey"), ParseColourValue(u"gray"));
  EXPECT_EQ(ParseColourValue(u"navy"), 0x00800000u);
  EXPECT_EQ(ParseColourValue(u"notacolour"), kNoColour);
  EXPECT_EQ(ParseColourValue(u""), kNoColour);
}

TEST_F(ColourExpressionTest, GetUIColourCall) {
  EXPECT_EQ(ParseColourValue(u"getuicolour(#UISTYLE_OFFICE2003, background, #UICOLOURMODE_DEFAULT_BLUE)"), 0x00F6F6F6u);
  EXPECT_EQ(ParseColourValue(u"getuicolour(#UISTYLE_OFFICE2003, menuhotgradientcolor1, #UICOLOURMODE_DEFAULT_BLUE)"),
            0x00CCF4FFu);
  EXPECT_EQ(ParseColourValue(u"GetUIColour(#UISTYLE_OFFICE2007, menuhotborder, #UICOLOURMODE_DEFAULT_GREY);"),
            0x0069BDFFu);
  // An unknown colour name means id 0, an unknown style 0.
  EXPECT_EQ(ParseColourValue(u"getuicolour(#UISTYLE_OFFICE2007, nosuchname, #UICOLOURMODE_DEFAULT_GREY)"),
            0x00FFFFFFu);
  EXPECT_EQ(ParseColourValue(u"getuicolour(#UISTYLE_NONE, background, #UICOLOURMODE_DEFAULT_GREY)"), 0u);
}

TEST_F(ColourExpressionTest, EvalGetUIColourExplicitColumns) {
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2003, UIColour::menuhotborder, UICOLOURMODE_DEFAULT_OLIVE), 0x00385D3Fu);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2003, UIColour::rebarbackground2, UICOLOURMODE_CUSTOM_GREY), 0x00F4F5F5u);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_WHIDBEY, UIColour::menuhotcolor, UICOLOURMODE_DEFAULT_SILVER), 0x00ECE8E8u);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_WHIDBEY, UIColour::menuhotcolor, UICOLOURMODE_CUSTOM), 0u);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2003, 56, UICOLOURMODE_DEFAULT_BLUE), 0u);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2003, -1, UICOLOURMODE_DEFAULT_BLUE), 0u);
  EXPECT_EQ(EvalGetUIColour(99, 3, UICOLOURMODE_DEFAULT_BLUE), 0u);
}

TEST_F(ColourExpressionTest, EvalGetUIColourFollowsTheCurrentModeOtherwise) {
  StoreUIColourMode(UICOLOURMODE_DEFAULT_SILVER);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2007, UIColour::separatorbar, UICOLOURMODE_DEFAULT), 0x008F6D6Eu);
  // Whidbey mode 0 takes the scheme's custom column.
  StoreUIColour(UISTYLE_WHIDBEY, UIColour::menuhotcolor, 0x00010101, UICOLOURMODE_CUSTOM_SILVER);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_WHIDBEY, UIColour::menuhotcolor, UICOLOURMODE_DEFAULT), 0x00010101u);
}

TEST_F(ColourExpressionTest, EvalGetUIColourConvertsOnlyArgbWords) {
  // The Whidbey text colour of id 3 is a COLORREF in a slot that is not kept plain: it must
  // not have its red and blue exchanged.
  EXPECT_EQ(EvalGetUIColour(UISTYLE_WHIDBEY, UIColour::menutitleinactivetextcolor, UICOLOURMODE_DEFAULT_GREY),
            0x00808080u);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2003, UIColour::menutitleinactivetextcolor, UICOLOURMODE_DEFAULT_BLUE),
            0x00800000u);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2003, UIColour::menudropshadow, UICOLOURMODE_DEFAULT_BLUE), 0x00CB8C6Au);
}
}  // namespace
