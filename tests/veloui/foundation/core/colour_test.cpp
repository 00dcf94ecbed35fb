#include <gtest/gtest.h>

#include <vector>

#include "veloui/foundation/core/colour_conversion.h"
#include "veloui/foundation/core/colour_expression.h"
#include "veloui/foundation/core/colour_helpers.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/core/value_ops.h"

namespace {
// A COLORREF from its channels, red in the low byte.
constexpr std::uint32_t RgbWord(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red | green << 8 | blue << 16;
}

TEST(ColourConversion, HslBothWays) {
  // {colour, hue, saturation, lightness}: saturation and lightness are relative to the brightest component.
  const struct { std::uint32_t Colour; float Hue, Saturation, Lightness; } toHsl[] = {
      {RgbWord(255, 0, 0), 0, 1, 1}, {RgbWord(0, 255, 0), 120, 1, 1}, {RgbWord(0, 0, 255), 240, 1, 1},
      {RgbWord(255, 0, 255), 300, 1, 1},  // a negative hue wraps
      {RgbWord(100, 50, 0), 30, 1, 100 / 255.0f}, {RgbWord(0, 0, 0), 0, 0, 0}, {RgbWord(128, 128, 128), 0, 0, 128 / 255.0f}};
  for (const auto& c : toHsl) {
    HslColour hsl;
    EXPECT_EQ(RgbToHsl(c.Colour, hsl), 0);
    EXPECT_NEAR(hsl.Hue, c.Hue, 1e-4) << c.Colour;
    EXPECT_FLOAT_EQ(hsl.Saturation, c.Saturation) << c.Colour;
    EXPECT_FLOAT_EQ(hsl.Lightness, c.Lightness) << c.Colour;
  }
  // The light branch above 0.5; 127.5 truncated.
  const std::pair<HslColour, std::uint32_t> toRgb[] = {
      {{0, 1, 0.5f}, RgbWord(255, 0, 0)},  {{120, 1, 0.5f}, RgbWord(0, 255, 0)},        {{240, 1, 0.5f}, RgbWord(0, 0, 255)},
      {{60, 1, 0.5f}, RgbWord(255, 255, 0)}, {{0, 1, 0.75f}, RgbWord(255, 127, 127)}, {{0, 0, 0.5f}, RgbWord(127, 127, 127)},
      {{200, 0, 1}, RgbWord(255, 255, 255)}};
  for (const auto& [hsl, colour] : toRgb) EXPECT_EQ(HslToRgb(hsl), colour) << hsl.Hue << " " << hsl.Lightness;
}

TEST(ColourHelpers, FadePackAndConvert) {
  EXPECT_EQ(FadeChannel(128, 255), 127);
  EXPECT_EQ(FadeChannel(100, 10), 7);  // 10 * 100 / 255 = 3.92, truncated
  EXPECT_EQ(FadeColour(0, 0xFF123456u), 0x00123456u);  // the top byte goes
  EXPECT_EQ(FadeColour(128, 0x00FF00FFu), 0x007F007Fu);
  EXPECT_EQ(PackColourBytes(255, 0x11, 0x22, 0x33), 0xFF112233u);
  EXPECT_EQ(ArgbToColorref(0xFFFFF4CCu), 0x00CCF4FFu);
  EXPECT_TRUE(IsArgbWord(0x01000000u));
  EXPECT_FALSE(IsArgbWord(0x00FFFFFFu));
  EXPECT_EQ(static_cast<std::uint32_t>(MakeLong(5, -2)), 0xFFFE0005u);  // negative coordinates keep their word
  EXPECT_EQ(MakeLong(-1, 0), 0x0000FFFF);
}

// Channels 0x10/0x80/0xFF against 0xFF/0x00/0x01 plus the clamped weights.
TEST(ValueOps, MixAndBlendDivideEachChannelDownward) {
  constexpr std::uint32_t first = 0x00FF8010;
  constexpr std::uint32_t second = 0x000100FF;
  // (255*128 + 16*128) / 256 = 135.5 -> 0x87; 0x80 -> 0x40; (1+255)/2 = 0x80
  const struct { std::int32_t Weight; std::uint32_t Mixed; } cases[] = {
      {0, first}, {128, 0x00804087}, {256, second}, {-5, first}, {300, second}};
  for (const auto& c : cases) {
    EXPECT_EQ(MixColours(first, second, c.Weight), c.Mixed) << c.Weight;
    EXPECT_EQ(BlendColours(first, second, c.Weight), c.Mixed) << c.Weight;
  }
}

// The menu records' short value 6 is an Office look too (the toolbar hot-state copy once left it out).
TEST(UIStyle, OfficeStylesAreBothOffice2003ValuesAndOffice2007) {
  for (const std::uint32_t style : {UISTYLE_OFFICE2003, UISTYLE_OFFICE2003_SHORT, UISTYLE_OFFICE2007}) {
    EXPECT_TRUE(IsOfficeStyle(style)) << style;
  }
  for (const std::uint32_t style : {0u, 4u, UISTYLE_WHIDBEY, 7u, 0x4000000u}) EXPECT_FALSE(IsOfficeStyle(style)) << style;
}

class UIColourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitGlobalLists();
    ResetUIColourState();
    SystemFacts = ToolkitFacts{};
    SetSolidBrushOps({});
    InitColourTables();
    // A made-up system palette: every index reads back as a recognisable word.
    SetSystemColourReader([](std::int32_t index) { return 0x00ABCD00u + static_cast<std::uint32_t>(index); });
  }
  void TearDown() override {
    SetSolidBrushOps({});
    SetSystemColourReader(nullptr);
  }
};
using ColourExpressionTest = UIColourTest;

TEST_F(ColourExpressionTest, ParseColourValue) {
  const std::pair<const char16_t*, std::uint32_t> cases[] = {
      {u"RGB(255, 0, 0);", 0x000000FFu},   {u"rgb(1,2,3)", 0x00030201u},         {u"rgba(1,2,3,1.0)", 0xFF010203u},
      {u"rgba(255,0,0,0.5)", 0x80FF0000u}, {u"rgba(255,0,0,0)", 0x01FF0000u},   // a fraction rounds, 0 is 1
      {u"rgba(1,2,3,200)", 0xC8010203u},   {u"rgb(300, -5, 256)", 0x00FF00FFu}, {u"rgba(0,0,0,999)", 0xFF000000u},
      {u"rgba(0,0,0,-3)", 0x01000000u},    {u"rgba(0,0,0,1.7)", 0xFF000000u},   // no channel bleeds
      {u"rgb(x, 7)", 0x00000700u},  // not a number reads 0, a missing field 0
      {u"rgb(1,2,3", kNoColour},           {u"rgb)1,2,3(", kNoColour},
      // Hex needs exactly six digits.
      {u"#FF8000", 0x000080FFu}, {u"  #a0b1c2;", 0x00C2B1A0u}, {u"#ff80", kNoColour}, {u"#ff80001", kNoColour},
      {u"#ff800g", kNoColour},
      // System colour names in any case through the system palette; named colours as COLORREF.
      {u"color_btnface", 0x00ABCD0Fu}, {u" COLOR_WINDOWTEXT;", 0x00ABCD08u}, {u"Color_Scrollbar", 0x00ABCD00u},
      {u" steelblue;", 0x00B48246u},   {u"steelblue ;", kNoColour},         {u"PaleVioletRed", 0x009370D8u},
      {u"grey", 0x00808080u}, {u"gray", 0x00808080u}, {u"notacolour", kNoColour}, {u"", kNoColour},
      {u"getuicolour(#UISTYLE_OFFICE2003, background, #UICOLOURMODE_DEFAULT_BLUE)", 0x00F6F6F6u},
      {u"getuicolour(#UISTYLE_OFFICE2003, menuhotgradientcolor1, #UICOLOURMODE_DEFAULT_BLUE)", 0x00CCF4FFu},
      {u"GetUIColour(#UISTYLE_OFFICE2007, menuhotborder, #UICOLOURMODE_DEFAULT_GREY);", 0x0069BDFFu},
      // An unknown colour name means id 0, an unknown style 0.
      {u"getuicolour(#UISTYLE_OFFICE2007, nosuchname, #UICOLOURMODE_DEFAULT_GREY)", 0x00FFFFFFu},
      {u"getuicolour(#UISTYLE_NONE, background, #UICOLOURMODE_DEFAULT_GREY)", 0u},
  };
  for (const auto& [text, colour] : cases) EXPECT_EQ(ParseColourValue(text), colour) << TextToUtf8(text);
  EXPECT_EQ(SystemColourIndex(u"COLOR_NOTHING"), -1);
}

TEST_F(ColourExpressionTest, EvalGetUIColour) {
  namespace C = UIColour;
  const struct { std::uint32_t Style; std::int32_t Id, Mode; std::uint32_t Word; } cases[] = {
      {UISTYLE_OFFICE2003, C::menuhotborder, UICOLOURMODE_DEFAULT_OLIVE, 0x00385D3Fu},
      {UISTYLE_OFFICE2003, C::rebarbackground2, UICOLOURMODE_CUSTOM_GREY, 0x00F4F5F5u},
      {UISTYLE_WHIDBEY, C::menuhotcolor, UICOLOURMODE_DEFAULT_SILVER, 0x00ECE8E8u},
      {UISTYLE_WHIDBEY, C::menuhotcolor, UICOLOURMODE_CUSTOM, 0u},  {99, 3, UICOLOURMODE_DEFAULT_BLUE, 0u},
      {UISTYLE_OFFICE2003, 56, UICOLOURMODE_DEFAULT_BLUE, 0u},      {UISTYLE_OFFICE2003, -1, UICOLOURMODE_DEFAULT_BLUE, 0u},
      // Only words with a top byte are ARGB: the Whidbey id 3 keeps its red and blue in place.
      {UISTYLE_WHIDBEY, C::menutitleinactivetextcolor, UICOLOURMODE_DEFAULT_GREY, 0x00808080u},
      {UISTYLE_OFFICE2003, C::menutitleinactivetextcolor, UICOLOURMODE_DEFAULT_BLUE, 0x00800000u},
      {UISTYLE_OFFICE2003, C::menudropshadow, UICOLOURMODE_DEFAULT_BLUE, 0x00CB8C6Au},
  };
  for (const auto& c : cases) EXPECT_EQ(EvalGetUIColour(c.Style, c.Id, c.Mode), c.Word) << c.Style << " " << c.Id;
  // Mode 0 follows the current mode; Whidbey then takes the scheme's custom column.
  StoreUIColourMode(UICOLOURMODE_DEFAULT_SILVER);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_OFFICE2007, C::separatorbar, UICOLOURMODE_DEFAULT), 0x008F6D6Eu);
  StoreUIColour(UISTYLE_WHIDBEY, C::menuhotcolor, 0x00010101, UICOLOURMODE_CUSTOM_SILVER);
  EXPECT_EQ(EvalGetUIColour(UISTYLE_WHIDBEY, C::menuhotcolor, UICOLOURMODE_DEFAULT), 0x00010101u);
}

// An expression naming a custom mode reads that mode's own column, which a colour stored for it changed, while the
// default column beside it keeps its word; blue is the first of the custom columns.
TEST_F(ColourExpressionTest, ACustomModeReadsItsOwnColumn) {
  const struct { const char16_t* Style; std::uint32_t Value; } styles[] = {
      {u"UISTYLE_WHIDBEY", UISTYLE_WHIDBEY}, {u"UISTYLE_OFFICE2003", UISTYLE_OFFICE2003}, {u"UISTYLE_OFFICE2007", UISTYLE_OFFICE2007}};
  const char16_t* const modes[] = {u"BLUE", u"OLIVE", u"SILVER", u"GREY"};
  for (const auto& style : styles) {
    for (std::int32_t column = 0; column < 4; ++column) {
      const Text expression = Text(u"getuicolour(#") + style.Style + u", menuhotborder, #UICOLOURMODE_CUSTOM_" + modes[column] + u")";
      SCOPED_TRACE(TextToUtf8(expression));
      const std::uint32_t stored = 0x00102030u + static_cast<std::uint32_t>(column);
      const std::uint32_t defaultWord = EvalGetUIColour(style.Value, UIColour::menuhotborder, UICOLOURMODE_DEFAULT_BLUE + column);
      ASSERT_NE(defaultWord, stored);
      ASSERT_EQ(StoreUIColour(style.Value, UIColour::menuhotborder, stored, UICOLOURMODE_CUSTOM_BLUE + column), 1);
      EXPECT_EQ(ParseColourValue(expression), stored);
      EXPECT_EQ(EvalGetUIColour(style.Value, UIColour::menuhotborder, UICOLOURMODE_DEFAULT_BLUE + column), defaultWord);
    }
  }
}

// Colour words per visual style's caption (0: none), mode, style and id; negative ids answer the scheme.
TEST_F(UIColourTest, GetUIColour) {
  namespace C = UIColour;
  constexpr std::int32_t Grey = UICOLOURMODE_DEFAULT_GREY, Blue = UICOLOURMODE_DEFAULT_BLUE, Theme = UICOLOURMODE_DEFAULT;
  constexpr std::int32_t Olive = UICOLOURMODE_DEFAULT_OLIVE, Silver = UICOLOURMODE_DEFAULT_SILVER;
  constexpr std::int32_t O3 = UISTYLE_OFFICE2003, O7 = UISTYLE_OFFICE2007, Stored = kUIColourStored, Ref = kUIColourColorref;
  constexpr std::uint32_t kBlueCaption = 0x00E35400, kOliveCaption = 0x0000FFFF;
  const struct { std::uint32_t Caption; std::int32_t Mode, Style, Id, Form; std::uint32_t Word; } cases[] = {
      {0, Grey, O3, C::menutitleinactivetextcolor, Stored, 0x006A240Au},
      {0, Grey, UISTYLE_OFFICE2003_SHORT, C::menutitleinactivetextcolor, Stored, 0x006A240Au},
      {0, Grey, O3, C::menudropshadow, Stored, 0x7D666666u},   {0, Grey, O3, C::rebarbackground1, Ref, 0x00C8D0D4u},
      {0, Grey, O3, C::toolstripshadow, Stored, 0xFFDBD8D1u},  {0, Grey, O3, C::background, Stored, 0x00F7F8F9u},
      {0, Blue, O3, C::menutitleinactivetextcolor, Stored, 0x00800000u},
      {0, Blue, O3, C::menuhotgradientcolor1, Ref, 0x00CCF4FFu},
      {0, Blue, O3, C::menuhotgradientcolor1, Stored, 0xFFFFF4CCu},
      {0, Blue, O3, C::toolstripdropdowngradient4, Stored, 0xFF003591u},
      {0, Olive, O3, C::menuheldborder, Stored, 0x005E8D75u}, {0, Silver, O3, C::menuheldborder, Stored, 0x00947C7Cu},
      {0, Silver, O7, C::toolbarbuttonhottextcolor, Stored, 0x000000FFu},
      {kOliveCaption, Theme, O3, C::menuhotborder, Stored, 0x00385D3Fu},  // the theme's scheme, default column
      {0, Grey, O3, -1, 0, 9u},  {0, Theme, O3, -1, 0, 9u},  // grey without a visual style
      {kBlueCaption, Theme, O3, -1, 0, 6u}, {kBlueCaption, Theme, O7, -5, 0, 6u},
      {kBlueCaption, Theme, UISTYLE_WHIDBEY, -1, 0, 0u}, {kBlueCaption, Theme, 12345, -1, 0, 0u},
      {0, Blue, O3, 57, Stored, 0u}, {0, Blue, O3, 100000, 0, 0u},
      {0, Blue, O3, 5, Stored, 0u}, {0, Blue, O3, 56, Stored, 0u},  // ids the tables leave empty
  };
  for (const auto& c : cases) {
    UIColours.ThemeScrollbarData = c.Caption == 0 ? 0 : 0x1234;
    UIColours.ThemeCaptionColour = c.Caption;
    ASSERT_EQ(StoreUIColourMode(c.Mode), 1);
    EXPECT_EQ(GetUIColour(c.Style, c.Id, c.Form), c.Word) << c.Caption << " " << c.Mode << " " << c.Style << " " << c.Id;
  }
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, -1), 6u);
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, 57), 0u);
  EXPECT_EQ(GetModeColour(O3, -1), 0u);
  const std::pair<std::uint32_t, ColourScheme> captions[] = {
      {RgbWord(200, 200, 200), ColourSchemeSilver}, {RgbWord(199, 199, 255), ColourSchemeBlue},
      {RgbWord(255, 255, 0), ColourSchemeOlive},    {RgbWord(255, 0, 0), ColourSchemeGrey},
      {RgbWord(199, 200, 200), ColourSchemeGrey},   {0x00FA9632, ColourSchemeBlue}};  // the last: the test system's style
  for (const auto& [caption, scheme] : captions) EXPECT_EQ(ClassifyCaptionColour(caption), scheme) << caption;
}

// Bad arguments store nothing; colours are stored ARGB but for plain ids, custom ones in the scheme's column.
TEST_F(UIColourTest, StoreUIColourAndMode) {
  StoreUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  EXPECT_EQ(StoreUIColourMode(10), 0);
  EXPECT_EQ(StoreUIColourMode(-1), 0);
  EXPECT_EQ(GetUIColourMode(), UICOLOURMODE_DEFAULT_BLUE);
  const std::int32_t refused[][3] = {{UISTYLE_OFFICE2003, 56, 6}, {UISTYLE_OFFICE2003, -1, 6}, {UISTYLE_OFFICE2003, 3, 10},
                                     {UISTYLE_OFFICE2003, 3, -1}, {UISTYLE_OFFICE2003_SHORT, 3, 6}, {77, 3, 6}};
  for (const auto& r : refused) EXPECT_EQ(StoreUIColour(r[0], r[1], 1, r[2]), 0) << r[0] << " " << r[1] << " " << r[2];
  EXPECT_EQ(UIColours.Office2003[3].CustomBlue, 0x00800000u);
  ASSERT_EQ(StoreUIColour(UISTYLE_OFFICE2003, UIColour::menuhotgradientcolor1, 0x00332211, UICOLOURMODE_DEFAULT_BLUE), 1);
  EXPECT_EQ(UIColours.Office2003[UIColour::menuhotgradientcolor1].CustomBlue, 0xFF112233u);
  EXPECT_EQ(UIColours.Office2003[UIColour::menuhotgradientcolor1].DefaultBlue, 0xFFFFF4CCu);
  ASSERT_EQ(StoreUIColour(UISTYLE_OFFICE2007, UIColour::menuhotborder, 0x00332211, UICOLOURMODE_CUSTOM_GREY), 1);
  EXPECT_EQ(UIColours.Office2007[UIColour::menuhotborder].CustomGrey, 0x00332211u);
  ASSERT_EQ(StoreUIColour(UISTYLE_WHIDBEY, UIColour::background, 0x00010203, UICOLOURMODE_DEFAULT_SILVER), 1);
  EXPECT_EQ(UIColours.Whidbey[UIColour::background].CustomSilver, 0x00010203u);
  UIColours.ThemeScrollbarData = 0x1234;  // a visual style with an olive caption
  UIColours.ThemeCaptionColour = RgbWord(255, 255, 0);
  StoreUIColourMode(UICOLOURMODE_DEFAULT);
  ASSERT_EQ(StoreUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, 0x000A0B0C, UICOLOURMODE_CUSTOM), 1);
  EXPECT_EQ(UIColours.Office2003[UIColour::separatorbar].CustomOlive, 0x000A0B0Cu);
  EXPECT_EQ(UIColours.Office2003[UIColour::separatorbar].CustomBlue, 0x00CB8C6Au);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourStored), 0x00588060u);  // default column
  EXPECT_EQ(GetEffectiveColourMode(), 2);
  StoreUIColourMode(UICOLOURMODE_CUSTOM);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourStored), 0x000A0B0Cu);
  EXPECT_EQ(GetEffectiveColourMode(), 7);
}

// Whidbey gives words for text ids, else brushes from the one cache per id, renewed when the colour changes.
TEST_F(UIColourTest, WhidbeyWordsAndTheBrushCache) {
  static std::vector<std::uint32_t> made, deleted;
  made.clear();
  deleted.clear();
  SetSolidBrushOps({[](std::uint32_t colour) {
                      made.push_back(colour);
                      return static_cast<std::uint32_t>(500 + made.size());
                    },
                    [](std::uint32_t brush) { deleted.push_back(brush); }});
  StoreUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::menutitleinactivetextcolor), 0x00808080u);
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::menudropshadow), 0x32000000u);
  EXPECT_TRUE(made.empty());
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::background), 501u);
  EXPECT_EQ(made, std::vector<std::uint32_t>{0x00F8F9F9u});
  EXPECT_EQ(GetModeColour(UISTYLE_OFFICE2003, UIColour::background), 0u);
  StoreUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  const auto first = GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush), first);
  EXPECT_EQ(UIColours.ColourBrushCache[UIColour::separatorbar].Colour, 0x00CB8C6Au);
  EXPECT_TRUE(deleted.empty());
  StoreUIColourMode(UICOLOURMODE_DEFAULT_SILVER);
  const auto second = GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush);
  EXPECT_NE(second, first);
  EXPECT_EQ(deleted, std::vector<std::uint32_t>{first});
  EXPECT_NE(GetModeColour(UISTYLE_WHIDBEY, UIColour::separatorbar), second);  // same id, another colour
  EXPECT_EQ(deleted.back(), second);
}

// A lookup asked for a style it does not read makes no brush, so the cached brush of that id stays valid.
TEST_F(UIColourTest, AStyleALookupDoesNotReadGivesNoBrushAndKeepsTheCachedOne) {
  static std::vector<std::uint32_t> made, deleted;
  made.clear();
  deleted.clear();
  SetSolidBrushOps({[](std::uint32_t colour) {
                      made.push_back(colour);
                      return static_cast<std::uint32_t>(700 + made.size());
                    },
                    [](std::uint32_t brush) { deleted.push_back(brush); }});
  StoreUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  ASSERT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::background), 701u);
  ASSERT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush), 702u);
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, UIColour::background, kUIColourBrush), 0u);
  EXPECT_EQ(GetUIColour(12345, UIColour::background, kUIColourBrush), 0u);
  EXPECT_EQ(GetModeColour(UISTYLE_OFFICE2003, UIColour::separatorbar), 0u);
  EXPECT_EQ(GetModeColour(12345, UIColour::separatorbar), 0u);
  EXPECT_EQ(made.size(), 2u);
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(GetModeColour(UISTYLE_WHIDBEY, UIColour::background), 701u);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, UIColour::separatorbar, kUIColourBrush), 702u);
}

TEST_F(UIColourTest, ThemeColourNameFollowsCaptionBeforeCodeSeventy) {
  const struct { std::int32_t Os; std::uint32_t Caption; const char16_t* Name; } names[] = {
      {60, RgbWord(255, 255, 0), u"olive"}, {60, RgbWord(210, 220, 230), u"silver"}, {70, RgbWord(255, 255, 0), u"blue"}};
  for (const auto& n : names) {
    SystemFacts.OsVersionCode = n.Os;
    DetectThemeColourName(n.Caption);
    EXPECT_EQ(GetThemeColourName(), n.Name) << n.Os << " " << n.Caption;
  }
  EXPECT_EQ(GetColourModeName(), u"blue");
  StoreColourModeName(u"  GREY ");
  EXPECT_EQ(GetColourModeName(), u"grey");
}
}  // namespace
